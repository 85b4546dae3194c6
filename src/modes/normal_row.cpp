#include "modes/normal_row.h"

#include <cstdio>
#include <cstring>

#include "modes/resolutions.h"

namespace tsln {

std::string NormalRowHead(int depth, int width, int height) {
    char head[kNormalRowHeadLength + 1];
    std::snprintf(head, sizeof head, "%-2d%6d%5d   ", depth, width, height);
    return head;
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
