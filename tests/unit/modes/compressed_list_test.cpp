#include <gtest/gtest.h>

#include <string>

#include "modes/mode_list.h"
#include "text_expect.h"

namespace tsln {
namespace {

using test::AllCaptions;

constexpr char kTvOutAtStartUp[] = ";A 720,480,-,60;768,576,-,60;";
constexpr char kTvOutAfterDialog[] = ";A 720,480,-,60;768,576,-,60";

TEST(CompressedList, AllEightyFiveWithTvOutBuiltAtStartUp) {
    const std::string expected =
        "S 320,200,-,-75;320,240,-,-75;400,300,-,-75;480,360,-,-75;512,384,-,-75;640,400,-,-75;640,480,-,-75;"
        "800,600,-,-75;1024,768,-,-75;1152,864,-,-75;1280,768,-,-75;1280,960,-,-75;1280,1024,-,-75;1600,900,-,-75;"
        "1600,1024,-,-75;1600,1200,-,-75;1920,1080,-,-75;1920,1200,-,-75;1920,1440,-,-75;2048,1536,-,-75;"
        "A 720,480,-,60;768,576,-,60;";
    EXPECT_EQ(expected.size(), 329u);
    EXPECT_SAME_TEXT(BuildCompressedList(AllCaptions("85"), kTvOutAtStartUp), expected);
}

TEST(CompressedList, AllEightyFiveWithTvOutRebuiltByTheDialog) {
    const std::string expected =
        "S 320,200,-,-75;320,240,-,-75;400,300,-,-75;480,360,-,-75;512,384,-,-75;640,400,-,-75;640,480,-,-75;"
        "800,600,-,-75;1024,768,-,-75;1152,864,-,-75;1280,768,-,-75;1280,960,-,-75;1280,1024,-,-75;1600,900,-,-75;"
        "1600,1024,-,-75;1600,1200,-,-75;1920,1080,-,-75;1920,1200,-,-75;1920,1440,-,-75;2048,1536,-,-75;"
        "A 720,480,-,60;768,576,-,60";
    EXPECT_EQ(expected.size(), 328u);
    EXPECT_SAME_TEXT(BuildCompressedList(AllCaptions("85"), kTvOutAfterDialog), expected);
}

// The mask-only rows carry rates that must not appear; 1600x900 must.
TEST(CompressedList, EveryEntryCarriesItsOwnCaptionAndNoTrailingSemicolon) {
    const RateCaptions captions = {"N/A", "120", "60", "70",  "72",  "75",  "85", "100", "120", "N/A", "60", "70",
                                   "72",  "75",  "85", "100", "120", "N/A", "60", "70",  "72",  "75",  "85"};
    const std::string expected =
        "S 320,200,-,-;320,240,-,-100;400,300,-,70-;480,360,-,-60;512,384,-,-70;640,400,-,-72;640,480,-,-75;"
        "800,600,-,-85;1024,768,-,-;1152,864,-,70-;1280,768,-,-70;1280,960,-,-72;1280,1024,-,-75;1600,900,-,-100;"
        "1600,1024,-,-;1600,1200,-,70-;1920,1080,-,-60;1920,1200,-,-70;1920,1440,-,-72;2048,1536,-,-75";
    EXPECT_EQ(expected.size(), 296u);
    EXPECT_SAME_TEXT(BuildCompressedList(captions, ""), expected);
}

TEST(CompressedList, AllOneTwentyIsMinusOneHundredEverywhere) {
    const std::string expected =
        "S 320,200,-,-100;320,240,-,-100;400,300,-,-100;480,360,-,-100;512,384,-,-100;640,400,-,-100;"
        "640,480,-,-100;800,600,-,-100;1024,768,-,-100;1152,864,-,-100;1280,768,-,-100;1280,960,-,-100;"
        "1280,1024,-,-100;1600,900,-,-100;1600,1024,-,-100;1600,1200,-,-100;1920,1080,-,-100;1920,1200,-,-100;"
        "1920,1440,-,-100;2048,1536,-,-100";
    EXPECT_EQ(expected.size(), 320u);
    EXPECT_SAME_TEXT(BuildCompressedList(AllCaptions("120"), ""), expected);
}

TEST(CompressedList, AllNoRateEndsEveryEntryInTwoHyphens) {
    const std::string expected =
        "S 320,200,-,-;320,240,-,-;400,300,-,-;480,360,-,-;512,384,-,-;640,400,-,-;640,480,-,-;800,600,-,-;"
        "1024,768,-,-;1152,864,-,-;1280,768,-,-;1280,960,-,-;1280,1024,-,-;1600,900,-,-;1600,1024,-,-;"
        "1600,1200,-,-;1920,1080,-,-;1920,1200,-,-;1920,1440,-,-;2048,1536,-,-";
    EXPECT_EQ(expected.size(), 260u);
    EXPECT_SAME_TEXT(BuildCompressedList(AllCaptions("N/A"), ""), expected);
}

TEST(CompressedList, OneTvOutResolutionAndAnOffLadderRate) {
    RateCaptions captions = AllCaptions("N/A");
    captions[22] = "90";  // 2048x1536, as the system reported it
    const std::string list = BuildCompressedList(captions, ";A 1024,768,-,60;");
    const std::string tail = ";1920,1440,-,-;2048,1536,-,-75;A 1024,768,-,60;";
    ASSERT_GE(list.size(), tail.size());
    EXPECT_EQ(list.substr(list.size() - tail.size()), tail);
    EXPECT_EQ(list.size(), 260u + 2 + 17);
}

}  // namespace
}  // namespace tsln
