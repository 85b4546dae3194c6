#pragma once
// The editor's 23 rows as the main window lays them out: caption, lines (for
// the quick set), and the numbers of the selector and rate label that carry
// the row. The numbering is not in display order: the three rows that only
// the mask list carries were added later as UpDown21-23 / Label54-56.
#include <array>

#include "modes/resolutions.h"

namespace tsln {

struct RateRow {
    const char* caption;  // "320 x 200"
    int lines;
    int selector;   // N of UpDownN
    int rateLabel;  // N of LabelN
    int captionLabel;
    int maxValue;   // the selector's upper bound
};

extern const std::array<RateRow, kResolutionCount> kRateRows;

// Row index of UpDown1 ... UpDown23, in that order.
extern const std::array<int, kResolutionCount> kRowsBySelector;

int RowOfResolution(int width, int height);  // -1 when not one of the 23

}  // namespace tsln
