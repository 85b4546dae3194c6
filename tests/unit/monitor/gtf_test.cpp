// The GTF against Debian's gtf, the reference, on the timing the monitor sees
// for every row at 60, 85, 100 and 160 Hz, and against the standard's
// published values.
#include "monitor/gtf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "modes/rate_rows.h"

namespace tsln {
namespace {

// What gtf prints: kHz and MHz to two decimals, computed in float (so the
// last digit may differ by one from the exact value's), and the totals.
GtfTiming Reference(int width, int lines, int rate) {
    const std::string command =
        "gtf " + std::to_string(width) + " " + std::to_string(lines) + " " + std::to_string(rate);
    GtfTiming printed;
    FILE* gtf = popen(command.c_str(), "r");
    char line[256];
    while (gtf != nullptr && std::fgets(line, sizeof line, gtf) != nullptr) {
        std::sscanf(line, " # %*s @ %*s Hz (GTF) hsync: %lf kHz; pclk: %lf MHz", &printed.lineRateKHz,
                    &printed.pixelClockMHz);
        std::sscanf(line, " Modeline %*s %*s %*d %*d %*d %d %*d %*d %*d %d", &printed.totalPixels, &printed.totalLines);
    }
    if (gtf != nullptr)
        pclose(gtf);
    return printed;
}

TEST(Gtf, PublishedValuesAndDebiansGtfOnEveryRow) {
    EXPECT_NEAR(Gtf(1600, 1200, 85).pixelClockMHz, 234.76, 0.005);
    EXPECT_NEAR(Gtf(1600, 1200, 85).lineRateKHz, 107.10, 0.005);
    EXPECT_NEAR(Gtf(800, 600, 60).pixelClockMHz, 38.22, 0.005);
    EXPECT_NEAR(Gtf(1280, 1024, 87).pixelClockMHz, 163.41, 0.005);
    for (const RateRow& row : kRateRows) {
        const int width = row.lineDoubled ? 2 * row.width : row.width;
        const int lines = row.lineDoubled ? 2 * row.height : row.height;
        for (int rate : {60, 85, 100, 160}) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(lines) + " at " + std::to_string(rate));
            const GtfTiming ours = Gtf(width, lines, rate), reference = Reference(width, lines, rate);
            EXPECT_NEAR(ours.lineRateKHz, reference.lineRateKHz, 0.006);
            EXPECT_NEAR(ours.pixelClockMHz, reference.pixelClockMHz, 0.006);
            EXPECT_EQ(ours.totalPixels, reference.totalPixels);
            EXPECT_EQ(ours.totalLines, reference.totalLines);
        }
    }
}

}  // namespace
}  // namespace tsln
