#pragma once
// The VESA Generalized Timing Formula with its default parameters: the timing
// a monitor expects for a mode it does not list, and the one its range
// descriptor's limits are drawn up for.
namespace tsln {

struct GtfTiming {
    int totalPixels = 0;  // a line, blanking included
    int totalLines = 0;   // a frame, blanking included
    double lineRateKHz = 0;
    double pixelClockMHz = 0;
};

// Progressive, no margins. The frame rate is the one asked for; rateHz must
// be above 0 and low enough that a frame lasts longer than its 550 us of
// vertical sync and back porch (below about 1800 Hz).
GtfTiming Gtf(int width, int lines, double rateHz);

}  // namespace tsln
