#include <gtest/gtest.h>

#include <string>

#include "modes/mode_list.h"

namespace tsln {
namespace {

struct LadderCase {
    const char* caption;
    const char* normalField;
    const char* compressedField;
};

// Each rate in its own slot of the 22-column field; the compressed field names
// the rung below the maximum, except 60 which has none below it.
// clang-format off
const LadderCase kLadderCases[] = {
    {"120", "                   120", "-100"},
    {"100", "               100    ", "-85"},
    {"85", "            85        ", "-75"},
    {"75", "         75           ", "-72"},
    {"72", "      72              ", "-70"},
    {"70", "   70                 ", "-60"},
    {"60", "60                    ", "70-"},
    {"N/A", "                      ", "-"},
};
// clang-format on

TEST(RateFields, EveryLadderCaptionAndNoRate) {
    for (const LadderCase& c : kLadderCases) {
        SCOPED_TRACE(c.caption);
        const std::string normal = NormalRateField(c.caption);
        EXPECT_EQ(normal.size(), 22u);
        EXPECT_EQ(normal, c.normalField);
        EXPECT_EQ(CompressedRateField(c.caption), c.compressedField);
    }
}

TEST(NearestLadderRate, LadderTextsAndNoRatePassUnchanged) {
    for (const char* caption : {"60", "70", "72", "75", "85", "100", "120", "N/A"}) {
        EXPECT_EQ(NearestLadderRate(caption), caption);
    }
}

TEST(NearestLadderRate, SystemRatesRoundDownToTheLadder) {
    EXPECT_EQ(NearestLadderRate("61"), "60");
    EXPECT_EQ(NearestLadderRate("69"), "60");
    EXPECT_EQ(NearestLadderRate("71"), "70");
    EXPECT_EQ(NearestLadderRate("74"), "72");
    EXPECT_EQ(NearestLadderRate("84"), "75");
    EXPECT_EQ(NearestLadderRate("90"), "85");
    EXPECT_EQ(NearestLadderRate("99"), "85");
    EXPECT_EQ(NearestLadderRate("119"), "100");
    EXPECT_EQ(NearestLadderRate("121"), "120");
    EXPECT_EQ(NearestLadderRate("144"), "120");
    EXPECT_EQ(NearestLadderRate("240"), "120");
    // A digit run far beyond any integer type must not wrap round to a small rate.
    EXPECT_EQ(NearestLadderRate("99999999999999999999999"), "120");
    EXPECT_EQ(NearestLadderRate("18446744073709551676"), "120");
}

TEST(NearestLadderRate, AnythingButAWholeNumberFromSixtyIsNoRate) {
    for (const char* caption :
         {"", "59", "0", "1", "abc", "n/a", "N/A ", " 85", "85 ", "-85", "+85", "8 5", "85.0", "0x55", "\t85"}) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(NearestLadderRate(caption), "N/A");
    }
}

TEST(RateFields, OffLadderCaptionsStillGiveAWholeField) {
    EXPECT_EQ(NormalRateField("90"), "            85        ");
    EXPECT_EQ(NormalRateField("144"), "                   120");
    EXPECT_EQ(NormalRateField("61"), "60                    ");
    EXPECT_EQ(NormalRateField(""), "                      ");
    EXPECT_EQ(NormalRateField("59"), "                      ");
    EXPECT_EQ(CompressedRateField("90"), "-75");
    EXPECT_EQ(CompressedRateField("144"), "-100");
    EXPECT_EQ(CompressedRateField("61"), "70-");
    EXPECT_EQ(CompressedRateField(""), "-");
    EXPECT_EQ(CompressedRateField("abc"), "-");
}

struct MaskCase {
    const char* caption;
    const char* digits;
};

TEST(FormatHexMask, LadderRatesLimitsAndPadding) {
    const MaskCase cases[] = {
        {"60", "03C"},  {"70", "046"},  {"72", "048"},   {"75", "04B"},    {"85", "055"},     {"100", "064"},
        {"120", "078"}, {"240", "0F0"}, {"0", "000"},    {"1", "001"},     {"15", "00F"},     {"16", "010"},
        {"255", "0FF"}, {"256", "100"}, {"4095", "FFF"}, {"4096", "1000"}, {"32767", "7FFF"}, {"085", "055"},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.caption);
        EXPECT_EQ(FormatHexMask(c.caption), c.digits);
    }
}

TEST(FormatHexMask, TextThatIsNoSixteenBitNumberGivesZero) {
    for (const char* caption : {"N/A", "", "32768", "40000", "65536", "99999999999999999999", "abc", "3C", "1e2"}) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(FormatHexMask(caption), "000");
    }
}

// Only plain digits count, so a sign or blank is no number: a negative must not
// turn into a two's-complement mask such as "FFFB".
TEST(FormatHexMask, SignsAndBlanksAreNoNumber) {
    for (const char* caption : {"-5", "+5", " 5", "5 ", "-", "+", "-0", "- 5"}) {
        SCOPED_TRACE(caption);
        EXPECT_EQ(FormatHexMask(caption), "000");
    }
}

}  // namespace
}  // namespace tsln
