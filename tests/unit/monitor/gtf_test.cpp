// The GTF against the standard's published values, and against Debian's gtf
// on the timing the monitor sees for every row at 60, 85, 100 and 160 Hz.
#include "monitor/gtf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "modes/rate_rows.h"

namespace tsln {
namespace {

TEST(Gtf, PublishedValuesAndDebiansGtfOnEveryRow) {
    EXPECT_NEAR(Gtf(1600, 1200, 85).pixelClockMHz, 234.76, 0.005);
    EXPECT_NEAR(Gtf(1600, 1200, 85).lineRateKHz, 107.10, 0.005);
    EXPECT_NEAR(Gtf(800, 600, 60).pixelClockMHz, 38.22, 0.005);
    EXPECT_NEAR(Gtf(1280, 1024, 87).pixelClockMHz, 163.41, 0.005);
    for (const RateRow& row : kRateRows) {
        const int width = row.lineDoubled ? 2 * row.width : row.width;
        const int lines = row.lineDoubled ? 2 * row.height : row.height;
        for (int rate : {60, 85, 100, 160}) {
            const std::string mode = std::to_string(width) + " " + std::to_string(lines) + " " + std::to_string(rate);
            // gtf prints kHz and MHz to two decimals, worked out in float: the
            // last digit may be one off the exact value's.
            GtfTiming printed;
            FILE* gtf = popen(("gtf " + mode).c_str(), "r");
            ASSERT_NE(gtf, nullptr);
            char line[256];
            while (std::fgets(line, sizeof line, gtf) != nullptr) {
                std::sscanf(line, " # %*s @ %*s Hz (GTF) hsync: %lf kHz; pclk: %lf MHz", &printed.lineRateKHz,
                            &printed.pixelClockMHz);
                std::sscanf(line, " Modeline %*s %*s %*d %*d %*d %d %*d %*d %*d %d", &printed.totalPixels,
                            &printed.totalLines);
            }
            pclose(gtf);
            const GtfTiming ours = Gtf(width, lines, rate);
            EXPECT_NEAR(ours.lineRateKHz, printed.lineRateKHz, 0.006) << mode;
            EXPECT_NEAR(ours.pixelClockMHz, printed.pixelClockMHz, 0.006) << mode;
            EXPECT_EQ(ours.totalPixels, printed.totalPixels) << mode;
            EXPECT_EQ(ours.totalLines, printed.totalLines) << mode;
        }
    }
}

}  // namespace
}  // namespace tsln
