#include "editor/rate_rows.h"

namespace tsln {

const std::array<int, kResolutionCount> kRowsBySelector = [] {
    std::array<int, kResolutionCount> rows{};
    for (int row = 0; row < kResolutionCount; ++row) {
        rows[kRateRows[row].selector - 1] = row;
    }
    return rows;
}();

int RowOfResolution(int width, int height) {
    for (int row = 0; row < kResolutionCount; ++row) {
        if (kRateRows[row].width == width && kRateRows[row].height == height)
            return row;
    }
    return -1;
}

}  // namespace tsln
