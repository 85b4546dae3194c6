#include <gtest/gtest.h>

#include <string>

#include "modes/mode_list.h"
#include "text_expect.h"

namespace tsln {
namespace {

using test::AllCaptions;

const std::string kAllNoRate =
    "S 320x200=8000; 320x240=8000; 400x300=8000; 480x360=8000; 512x384=8000; 640x400=8000; 640x480=8000; "
    "800x600=8000; 848x480=8000; 1024x768=8000; 1152x864=8000; 1280x720=8000; 1280x768=8000; 1280x960=8000; "
    "1280x1024=8000; 1360x768=8000; 1600x900=8000; 1600x1024=8000; 1600x1200=8000; 1920x1080=8000; "
    "1920x1200=8000; 1920x1440=8000; 2048x1536=8000;";

TEST(MaskList, AllNoRate) {
    EXPECT_EQ(kAllNoRate.size(), 344u);
    EXPECT_SAME_TEXT(BuildMaskList(AllCaptions("N/A")), kAllNoRate);
}

// All 23 rows in editor order, each with its own caption: ladder rates, the
// selectors' limit, padding cases and texts that are no number.
TEST(MaskList, EveryGroupCarriesItsOwnCaption) {
    const RateCaptions captions = {"N/A", "60",  "70",  "72",   "75",   "85",    "100",   "120", "61", "240", "0", "15",
                                   "16",  "255", "256", "4095", "4096", "32767", "32768", "abc", "",   "1",   "9"};
    const std::string expected =
        "S 320x200=8000; 320x240=803C; 400x300=8046; 480x360=8048; 512x384=804B; 640x400=8055; 640x480=8064; "
        "800x600=8078; 848x480=803D; 1024x768=80F0; 1152x864=8000; 1280x720=800F; 1280x768=8010; "
        "1280x960=80FF; 1280x1024=8100; 1360x768=8FFF; 1600x900=81000; 1600x1024=87FFF; 1600x1200=8000; "
        "1920x1080=8000; 1920x1200=8000; 1920x1440=8001; 2048x1536=8009;";
    EXPECT_EQ(expected.size(), 346u);
    EXPECT_SAME_TEXT(BuildMaskList(captions), expected);
}

TEST(MaskList, FirstGroupForEachKindOfCaption) {
    const struct {
        const char* caption;
        const char* group;
    } cases[] = {
        {"0", "S 320x200=8000"},     {"15", "S 320x200=800F"},  {"240", "S 320x200=80F0"},
        {"4096", "S 320x200=81000"}, {"N/A", "S 320x200=8000"},
    };
    const std::string rest = kAllNoRate.substr(std::string("S 320x200=8000").size());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        RateCaptions captions = AllCaptions("N/A");
        captions[0] = c.caption;
        EXPECT_SAME_TEXT(BuildMaskList(captions), c.group + rest);
    }
}

TEST(MaskList, BeginningOfAMixedList) {
    RateCaptions captions = AllCaptions("N/A");
    captions[0] = "85";
    captions[2] = "120";
    const std::string unchanged = "S 320x200=8000; 320x240=8000; 400x300=8000; 480x360=8000;";
    const std::string expected =
        "S 320x200=8055; 320x240=8000; 400x300=8078; 480x360=8000;" + kAllNoRate.substr(unchanged.size());
    EXPECT_SAME_TEXT(BuildMaskList(captions), expected);
}

}  // namespace
}  // namespace tsln
