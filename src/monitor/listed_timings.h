#pragma once
// The timings a monitor lists in its EDID's base block: the established
// timings (bytes 35-37), the standard timings (bytes 38-53) and the detailed
// timing descriptors, in that order, each with the figures edid-decode gives.
#include <cstdint>
#include <string>
#include <vector>

namespace tsln {

struct ListedTiming {
    int width = 0;
    int height = 0;  // of the frame, both fields of an interlaced one
    bool interlaced = false;
    int pixelClockKHz = 0;
    int totalPixels = 0;  // a line, blanking included
    int totalLines = 0;   // a frame, blanking included
};

double LineRateKHz(const ListedTiming& timing);
// Fields a second for an interlaced timing, as edid-decode counts them.
double RefreshHz(const ListedTiming& timing);
// The rate the program names it by: 59.94 Hz is 60, 85.02 is 85.
int WholeRefreshHz(const ListedTiming& timing);

// "1280x1024 at 85 Hz (91.146 kHz, 157.500 MHz)", "1024x768i at 87 Hz (...)"
std::string ListedTimingText(const ListedTiming& timing);

// block holds the 128 bytes of the base block. Standard timings whose aspect
// code reads 1:1 before EDID 1.3 use it for 16:10 from then on.
std::vector<ListedTiming> ListedTimings(const std::uint8_t* block, int revision);

}  // namespace tsln
