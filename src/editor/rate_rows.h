#pragma once
// Ways into the row table that the editor needs: by selector number and by
// resolution.
#include <array>

#include "modes/rate_rows.h"

namespace tsln {

// Row index of UpDown1 ... UpDown23, in that order.
extern const std::array<int, kResolutionCount> kRowsBySelector;

int RowOfResolution(int width, int height);  // -1 when not one of the 23

}  // namespace tsln
