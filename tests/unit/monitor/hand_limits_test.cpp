// Limits set by hand: what names the monitor they belong to, and the text the
// registry and the console hold them in.
#include "monitor/hand_limits.h"

#include <gtest/gtest.h>

#include "settings/settings.h"

namespace tsln {
namespace {

TEST(HandLimits, TheMonitorsIdAndItsKeyName) {
    Edid edid;
    edid.pnpId = "SAM002F";
    edid.serial = "HV\\AY#2";
    EXPECT_EQ(MonitorId("MONITOR\\SAM002F\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000", edid), "SAM002F\\HV\\AY#2");
    EXPECT_EQ(HandLimitsKey(MonitorId("", edid)), "SOFTWARE\\TSLN\\Monitors\\SAM002F#HV#AY#2");
    edid.serial.clear();
    EXPECT_EQ(MonitorId("MONITOR\\SAM002F\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000", edid), "SAM002F");
    EXPECT_EQ(HandLimitsKey(
                  MonitorId("MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000", std::nullopt)),
              "SOFTWARE\\TSLN\\Monitors\\MONITOR#Default_Monitor#{4D36E96E-E325-11CE-BFC1-08002BE10318}#0000");
    EXPECT_EQ(MonitorId("", std::nullopt), "");
}

TEST(HandLimits, RangesAreWholeNumbersFrom1To500LowestFirst) {
    for (const char* good : {"30-96", "1-500", "96-96", "030-96"})
        EXPECT_TRUE(ParseLimitRange(good)) << good;
    for (const char* bad : {"96-30", "0-96", "30-501", "30", "30-", "-96", "30-96-", "30.5-96", " 30-96", "30 - 96",
                            "+30-96", "30-99999999999999999999", ""}) {
        EXPECT_FALSE(ParseLimitRange(bad)) << bad;
    }
}

// The stored text: the clock only when one is set; a text the dialog would
// not take is no limits at all.
TEST(HandLimits, OneTextWithTheClockOptional) {
    for (const char* good : {"30-96 50-160 1", "30-96 50-160 2550", "1-500 1-500"})
        EXPECT_EQ(HandLimitsText(*ParseHandLimits(good)), good);
    for (const char* bad : {"30-96 50-160 0", "30-96 50-160 2551", "30-96 50-160 ", "30-96  50-160", "30-96",
                            "30-96 50-160 230 1", "50-160 30-96x", "30-96 50-160 23O"}) {
        EXPECT_FALSE(ParseHandLimits(bad)) << bad;
    }
}

}  // namespace
}  // namespace tsln
