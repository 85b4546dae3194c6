#include "editor/rate_rows.h"

namespace tsln {

const std::array<RateRow, kResolutionCount> kRateRows = {{
    {"320 x 200", 200, 1, 25, 3, 75},     {"320 x 240", 240, 2, 26, 6, 75},
    {"400 x 300", 300, 3, 27, 7, 75},     {"480 x 360", 360, 4, 28, 8, 75},
    {"512 x 384", 384, 5, 29, 9, 75},     {"640 x 400", 400, 6, 30, 10, 75},
    {"640 x 480", 480, 7, 31, 11, 240},   {"800 x 600", 600, 8, 32, 12, 240},
    {"848 x 480", 480, 21, 54, 51, 240},  {"1024 x 768", 768, 9, 33, 13, 240},
    {"1152 x 864", 864, 10, 34, 14, 240}, {"1280 x 720", 720, 22, 55, 52, 240},
    {"1280 x 768", 768, 11, 35, 15, 240}, {"1280 x 960", 960, 12, 36, 16, 240},
    {"1280 x 1024", 1024, 13, 37, 17, 240}, {"1360 x 768", 768, 23, 56, 53, 240},
    {"1600 x 900", 900, 14, 38, 18, 240}, {"1600 x 1024", 1024, 15, 39, 19, 240},
    {"1600 x 1200", 1200, 16, 40, 20, 240}, {"1920 x 1080", 1080, 17, 41, 21, 240},
    {"1920 x 1200", 1200, 18, 42, 22, 240}, {"1920 x 1440", 1440, 19, 43, 23, 240},
    {"2048 x 1536", 1536, 20, 44, 24, 240},
}};

const std::array<int, kResolutionCount> kRowsBySelector = [] {
    std::array<int, kResolutionCount> rows{};
    for (int row = 0; row < kResolutionCount; ++row) {
        rows[kRateRows[row].selector - 1] = row;
    }
    return rows;
}();

int RowOfResolution(int width, int height) {
    for (int row = 0; row < kResolutionCount; ++row) {
        if (kResolutions[row].width == width && kResolutions[row].height == height) return row;
    }
    return -1;
}

}  // namespace tsln
