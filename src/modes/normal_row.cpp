#include "modes/normal_row.h"

#include <cstring>

#include "modes/number_text.h"
#include "modes/resolutions.h"

namespace tsln {

std::string NormalRowHead(int depth, int width, int height) {
    return PadRight(std::to_string(depth), 2) + PadLeft(std::to_string(width), 6) + PadLeft(std::to_string(height), 5) +
           "   ";
}

std::string RateFieldRun(int firstRung, int lastRung) {
    std::string field(kRateFieldLength, ' ');
    for (int rung = firstRung; rung <= lastRung; ++rung) {
        const char* digits = kRateLadder[rung];
        field.replace(kRateSlotColumns[rung], std::strlen(digits), digits);
    }
    return field;
}

const std::array<int, 19>& NormalRowOrder() {
    static const std::array<int, 19> order = [] {
        std::array<int, 19> rows{};
        size_t next = 0;
        int vga = -1;
        for (int i = 0; i < kResolutionCount; ++i) {
            if (kRateRows[i].width == 640 && kRateRows[i].height == 480) {
                vga = i;
            }
        }
        rows[next++] = vga;
        for (int i = 0; i < kResolutionCount; ++i) {
            if (kRateRows[i].inNormalList && i != vga) {
                rows[next++] = i;
            }
        }
        return rows;
    }();
    return order;
}

}  // namespace tsln
