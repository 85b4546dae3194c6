#include <gtest/gtest.h>

#include <string>

#include "modes/mode_list.h"
#include "text_expect.h"

namespace tsln {
namespace {

using test::AllCaptions;

constexpr char kTvOut720x480Row8[] = "  0  8    720  480   60                    ";
constexpr char kTvOut1024x768Row8[] = "  0  8   1024  768   60                    ";
constexpr char kTvOut720x480Row16[] = "  0  16   720  480   60                    ";
constexpr char kTvOut1024x768Row16[] = "  0  16  1024  768   60                    ";
constexpr char kTvOut720x480Row32[] = "  0  32   720  480   60                    ";
constexpr char kTvOut1024x768Row32[] = "  0  32  1024  768   60                    ";

// One caption per editor row, every rung and "N/A" spread over the rows so that
// a row taking its neighbour's caption shows. The mask-only rows and 1600x900
// carry rates that must not appear in a normal list.
RateCaptions MixedCaptions() {
    return {"N/A", "120", "60", "70",  "72",  "75",  "85", "100", "120", "N/A", "60", "70",
            "72",  "75",  "85", "100", "120", "N/A", "60", "70",  "72",  "75",  "85"};
}

TEST(NormalList, TvOutRowsAreFortyThreeCharacters) {
    EXPECT_EQ(std::string(kTvOut720x480Row8).size(), 43u);
    EXPECT_EQ(std::string(kTvOut1024x768Row32).size(), 43u);
}

TEST(NormalList, EveryRowCarriesItsOwnCaptionAndTvOutFollowsEachBlock) {
    TvOutFragments tvOut;
    tvOut.modes8 = std::string(kTvOut720x480Row8) + kTvOut1024x768Row8;
    tvOut.modes16 = std::string(kTvOut720x480Row16) + kTvOut1024x768Row16;
    tvOut.modes32 = std::string(kTvOut720x480Row32) + kTvOut1024x768Row32;
    const std::string expected =
        "8    640  480               85          0"
        "  8    320  200                           0"
        "  8    320  240                      120  0"
        "  8    400  300   60                      0"
        "  8    480  360      70                   0"
        "  8    512  384         72                0"
        "  8    640  400            75             0"
        "  8    800  600                  100      0"
        "  8   1024  768                           0"
        "  8   1152  864   60                      0"
        "  8   1280  768         72                0"
        "  8   1280  960            75             0"
        "  8   1280 1024               85          0"
        "  8   1600 1024                           0"
        "  8   1600 1200   60                      0"
        "  8   1920 1080      70                   0"
        "  8   1920 1200         72                0"
        "  8   1920 1440            75             0"
        "  8   2048 1536               85          0"
        "  8    720  480   60                      0"
        "  8   1024  768   60                      0"
        "  16   640  480               85          0"
        "  16   320  200                           0"
        "  16   320  240                      120  0"
        "  16   400  300   60                      0"
        "  16   480  360      70                   0"
        "  16   512  384         72                0"
        "  16   640  400            75             0"
        "  16   800  600                  100      0"
        "  16  1024  768                           0"
        "  16  1152  864   60                      0"
        "  16  1280  768         72                0"
        "  16  1280  960            75             0"
        "  16  1280 1024               85          0"
        "  16  1600 1024                           0"
        "  16  1600 1200   60                      0"
        "  16  1920 1080      70                   0"
        "  16  1920 1200         72                0"
        "  16  1920 1440            75             0"
        "  16  2048 1536               85          0"
        "  16   720  480   60                      0"
        "  16  1024  768   60                      0"
        "  32   640  480               85          0"
        "  32   320  200                           0"
        "  32   320  240                      120  0"
        "  32   400  300   60                      0"
        "  32   480  360      70                   0"
        "  32   512  384         72                0"
        "  32   640  400            75             0"
        "  32   800  600                  100      0"
        "  32  1024  768                           0"
        "  32  1152  864   60                      0"
        "  32  1280  768         72                0"
        "  32  1280  960            75             0"
        "  32  1280 1024               85          0"
        "  32  1600 1024                           0"
        "  32  1600 1200   60                      0"
        "  32  1920 1080      70                   0"
        "  32  1920 1200         72                0"
        "  32  1920 1440            75             0"
        "  32  2048 1536               85          0"
        "  32   720  480   60                      0"
        "  32  1024  768   60                      0";
    EXPECT_EQ(expected.size(), 2449u + 6 * 43);
    EXPECT_SAME_TEXT(BuildNormalList(MixedCaptions(), tvOut), expected);
}

TEST(NormalList, AllNoRateIsFiftySevenBlankRows) {
    const std::string expected =
        "8    640  480                           0"
        "  8    320  200                           0"
        "  8    320  240                           0"
        "  8    400  300                           0"
        "  8    480  360                           0"
        "  8    512  384                           0"
        "  8    640  400                           0"
        "  8    800  600                           0"
        "  8   1024  768                           0"
        "  8   1152  864                           0"
        "  8   1280  768                           0"
        "  8   1280  960                           0"
        "  8   1280 1024                           0"
        "  8   1600 1024                           0"
        "  8   1600 1200                           0"
        "  8   1920 1080                           0"
        "  8   1920 1200                           0"
        "  8   1920 1440                           0"
        "  8   2048 1536                           0"
        "  16   640  480                           0"
        "  16   320  200                           0"
        "  16   320  240                           0"
        "  16   400  300                           0"
        "  16   480  360                           0"
        "  16   512  384                           0"
        "  16   640  400                           0"
        "  16   800  600                           0"
        "  16  1024  768                           0"
        "  16  1152  864                           0"
        "  16  1280  768                           0"
        "  16  1280  960                           0"
        "  16  1280 1024                           0"
        "  16  1600 1024                           0"
        "  16  1600 1200                           0"
        "  16  1920 1080                           0"
        "  16  1920 1200                           0"
        "  16  1920 1440                           0"
        "  16  2048 1536                           0"
        "  32   640  480                           0"
        "  32   320  200                           0"
        "  32   320  240                           0"
        "  32   400  300                           0"
        "  32   480  360                           0"
        "  32   512  384                           0"
        "  32   640  400                           0"
        "  32   800  600                           0"
        "  32  1024  768                           0"
        "  32  1152  864                           0"
        "  32  1280  768                           0"
        "  32  1280  960                           0"
        "  32  1280 1024                           0"
        "  32  1600 1024                           0"
        "  32  1600 1200                           0"
        "  32  1920 1080                           0"
        "  32  1920 1200                           0"
        "  32  1920 1440                           0"
        "  32  2048 1536                           0";
    EXPECT_EQ(expected.size(), 2449u);
    EXPECT_SAME_TEXT(BuildNormalList(AllCaptions("N/A"), TvOutFragments{}), expected);
}

TEST(NormalList, TwoTvOutResolutionsAddSixRows) {
    TvOutFragments tvOut;
    tvOut.modes8 = std::string(kTvOut720x480Row8) + "  0  8    768  576   60                    ";
    tvOut.modes16 = std::string(kTvOut720x480Row16) + "  0  16   768  576   60                    ";
    tvOut.modes32 = std::string(kTvOut720x480Row32) + "  0  32   768  576   60                    ";
    const std::string plain = BuildNormalList(AllCaptions("N/A"), TvOutFragments{});
    const std::string list = BuildNormalList(AllCaptions("N/A"), tvOut);
    EXPECT_EQ(list.size(), plain.size() + 258);
    // Each block's TV-Out rows come straight after its 2048x1536 row.
    const std::string lastRowOf8 = "  0  8   2048 1536                         ";
    const std::string lastRowOf32 = "  0  32  2048 1536                         ";
    EXPECT_NE(list.find(lastRowOf8 + tvOut.modes8 + "  0  16   640  480   "), std::string::npos);
    EXPECT_NE(list.find(lastRowOf32 + tvOut.modes32 + "  0"), std::string::npos);
    EXPECT_EQ(list.substr(list.size() - 46), "  0  32   768  576   60                      0");
}

TEST(NormalList, RowsThatTheSyntaxLacksNeverReachIt) {
    RateCaptions others = MixedCaptions();
    for (int row : {8, 11, 15, 16}) {  // 848x480, 1280x720, 1360x768, 1600x900
        others[row] = others[row] == "60" ? "120" : "60";
    }
    EXPECT_EQ(BuildNormalList(others, TvOutFragments{}), BuildNormalList(MixedCaptions(), TvOutFragments{}));
}

TEST(NormalList, SystemRateOffTheLadderIsWrittenAsTheRungBelow) {
    RateCaptions captions = AllCaptions("N/A");
    captions[6] = "90";  // 640x480
    const std::string list = BuildNormalList(captions, TvOutFragments{});
    EXPECT_EQ(list.size(), 2449u);
    EXPECT_EQ(list.substr(0, 41), "8    640  480               85          0");
    captions[6] = "85";
    EXPECT_EQ(list, BuildNormalList(captions, TvOutFragments{}));
}

TEST(NormalList, AllMaximumsHaveNoLeadingOrTrailingBlank) {
    const std::string list = BuildNormalList(AllCaptions("120"), TvOutFragments{});
    EXPECT_EQ(list.size(), 2449u);
    EXPECT_EQ(list.substr(0, 43), "8    640  480                      120  0  ");
    EXPECT_EQ(list.substr(list.size() - 41), "32  2048 1536                      120  0");
}

}  // namespace
}  // namespace tsln
