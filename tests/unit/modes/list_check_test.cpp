#include "modes/list_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modes/mode_list.h"
#include "text_expect.h"

namespace tsln {
namespace {

using test::AllCaptions;
using test::ExpectAccepted;

RateCaptions MixedCaptions() {
    return {"N/A", "120", "60", "70",  "72", "75",  "85", "100", "120", "N/A", "60", "70",
            "72",  "75",  "85", "100", "90", "N/A", "61", "144", "72",  "75",  "85"};
}

std::vector<RateCaptions> LadderCaptionSets() {
    std::vector<RateCaptions> sets = {MixedCaptions(), AllCaptions(""), AllCaptions("abc")};
    for (const char* rate : {"N/A", "60", "70", "72", "75", "85", "100", "120", "90"}) {
        sets.push_back(AllCaptions(rate));
    }
    return sets;
}

TvOutFragments TvOutRows(const std::string& width, const std::string& height) {
    auto pad = [](const std::string& text) { return text.size() == 3 ? " " + text : text; };
    const std::string tail = pad(width) + " " + pad(height) + "   60                    ";
    return {"", "  0  8   " + tail, "  0  16  " + tail, "  0  32  " + tail};
}

TvOutFragments Join(const TvOutFragments& first, const TvOutFragments& second) {
    return {"", first.modes8 + second.modes8, first.modes16 + second.modes16, first.modes32 + second.modes32};
}

// Rejected, and the reason names where.
void ExpectRejected(const std::string& text, ListSyntax syntax, const std::string& where) {
    const ListCheck check = CheckModeList(text, syntax);
    EXPECT_FALSE(check.ok) << "accepted: " << text;
    EXPECT_NE(check.reason.find(where), std::string::npos) << "reason: " << check.reason;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(CheckModeList, AcceptsEveryBuiltNormalList) {
    const TvOutFragments tvOutChoices[] = {
        TvOutFragments{},
        TvOutRows("720", "480"),
        TvOutRows("1024", "768"),
        Join(TvOutRows("720", "480"), TvOutRows("768", "576")),
    };
    for (const RateCaptions& captions : LadderCaptionSets()) {
        for (const TvOutFragments& tvOut : tvOutChoices) {
            ExpectAccepted(BuildNormalList(captions, tvOut), ListSyntax::Normal);
        }
    }
}

TEST(CheckModeList, AcceptsEveryBuiltCompressedList) {
    for (const RateCaptions& captions : LadderCaptionSets()) {
        for (const char* tvOut : {"", ";A 720,480,-,60;", ";A 720,480,-,60", ";A 720,480,-,60;768,576,-,60;",
                                  ";A 720,480,-,60;768,576,-,60", ";A 1024,768,-,60;1280,1024,-,60"}) {
            ExpectAccepted(BuildCompressedList(captions, tvOut), ListSyntax::Compressed);
        }
    }
}

TEST(CheckModeList, AcceptsEveryBuiltMaskList) {
    for (const char* hertz : {"N/A", "0", "1", "15", "60", "61", "85", "120", "240", "4096", "32767", "", "-5"}) {
        ExpectAccepted(BuildMaskList(AllCaptions(hertz)), ListSyntax::Mask);
    }
}

TEST(CheckModeList, RejectsTextsNoSyntaxAllows) {
    const std::string lists[] = {
        BuildNormalList(AllCaptions("85"), TvOutFragments{}),
        BuildCompressedList(AllCaptions("85"), ""),
        BuildMaskList(AllCaptions("85")),
    };
    const ListSyntax syntaxes[] = {ListSyntax::Normal, ListSyntax::Compressed, ListSyntax::Mask};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const std::string& list = lists[i];
        ExpectRejected("", syntaxes[i], "empty");
        ExpectRejected(list + " ", syntaxes[i], "ends with a space");
        ExpectRejected(" " + list, syntaxes[i], "position 0");
        ExpectRejected(list.substr(0, 10) + "\r\n" + list.substr(10), syntaxes[i], "position 10: character 0x0D");
        ExpectRejected(list + "\n", syntaxes[i], "0x0A");
        ExpectRejected(list.substr(0, 20) + std::string(1, '\0') + list.substr(21), syntaxes[i],
                       "position 20: character 0x00");
        ExpectRejected(list.substr(0, 5) + "\t" + list.substr(6), syntaxes[i], "0x09");
        ExpectRejected(list.substr(0, 5) + "\x7F" + list.substr(6), syntaxes[i], "0x7F");
        ExpectRejected(list.substr(0, 5) + "\xC3\xA9" + list.substr(7), syntaxes[i], "0xC3");
    }
    EXPECT_EQ(CheckModeList("", ListSyntax::Normal).reason, "the list is empty");
}

TEST(CheckModeList, RejectsFaultyNormalRows) {
    const std::string list = BuildNormalList(AllCaptions("85"), TvOutFragments{});
    const std::string rateField = "            85        ";
    // A row without its rate field, as an unknown caption once produced.
    const size_t secondRow = 43;
    std::string noRateField = list;
    noRateField.erase(secondRow + 16, rateField.size());
    ExpectRejected(noRateField, ListSyntax::Normal, "row 2 at position 43");
    ExpectRejected(Replaced(list, "8    320  200", "8   320   200"), ListSyntax::Normal, "row 2 at position 43: width");
    ExpectRejected(Replaced(list, "8    320  200", "8    320 200 "), ListSyntax::Normal, "height");
    ExpectRejected(Replaced(list, "8    320  200", "8    3a0  200"), ListSyntax::Normal, "width");
    ExpectRejected(Replaced(list, "8    320  200", "8    032  200"), ListSyntax::Normal, "width");
    ExpectRejected(Replaced(list, "8    320  200", "24   320  200"), ListSyntax::Normal, "depth \"24\"");
    ExpectRejected(Replaced(list, "8    320  200", " 8   320  200"), ListSyntax::Normal, "3 spaces");
    ExpectRejected(Replaced(list, "200               85", "200                85"), ListSyntax::Normal, "slot of 85");
    ExpectRejected(Replaced(list, "200               85  ", "200            72     "), ListSyntax::Normal,
                   "slot of 75 holds \"72\"");
    ExpectRejected(Replaced(list, "200   ", "200 x "), ListSyntax::Normal, "columns 13-15");
    ExpectRejected(Replaced(list, "85          0  8    320", "85          1  8    320"), ListSyntax::Normal,
                   "row 1 at position 0: terminator");
    ExpectRejected(list.substr(0, list.size() - 1) + "1", ListSyntax::Normal, "row 57");
    ExpectRejected(list + "  8    320  200", ListSyntax::Normal, "row 58");
    ExpectRejected(Replaced(list, "  0  8    320  200", "  08    320  200 "), ListSyntax::Normal, "row 1");
}

TEST(CheckModeList, RejectsTvOutRowsThatDoNotFitTheColumns) {
    const RateCaptions captions = AllCaptions("N/A");
    ExpectRejected(BuildNormalList(captions, TvOutRows("72000", "480")), ListSyntax::Normal, "row 20");
    ExpectRejected(BuildNormalList(captions, TvOutRows("72", "480")), ListSyntax::Normal, "row 20");
    ExpectRejected(BuildNormalList(captions, TvOutRows("720", "48")), ListSyntax::Normal, "row 20");
    ExpectRejected(BuildNormalList(captions, TvOutRows("72a", "480")), ListSyntax::Normal, "row 20");
    ExpectRejected(BuildNormalList(captions, TvOutRows("0720", "480")), ListSyntax::Normal, "row 20");
    ExpectRejected(BuildNormalList(captions, TvOutRows("0", "480")), ListSyntax::Normal, "row 20");
    ExpectRejected(BuildNormalList(captions, TvOutRows("", "")), ListSyntax::Normal, "row 20");
}

TEST(CheckModeList, RejectsFaultyCompressedEntries) {
    const std::string list = BuildCompressedList(AllCaptions("85"), "");
    // An unknown caption once left the rate field out.
    ExpectRejected(Replaced(list, "320,240,-,-75", "320,240,-,"), ListSyntax::Compressed,
                   "entry 2 at position 16 \"320,240,-,\" rate field \"\"");
    ExpectRejected(list + ";", ListSyntax::Compressed, "entry 21");
    ExpectRejected(Replaced(list, "320,240,-,-75", "320,240,-,-90"), ListSyntax::Compressed, "rate field \"-90\"");
    ExpectRejected(Replaced(list, "320,240,-,-75", "320,240,-,75--"), ListSyntax::Compressed, "rate field");
    ExpectRejected(Replaced(list, "320,240,-,-75", "320,240,16,-75"), ListSyntax::Compressed, "depth field \"16\"");
    ExpectRejected(Replaced(list, "320,240,-,-75", "320,240,-75"), ListSyntax::Compressed, "3 comma-separated");
    ExpectRejected(Replaced(list, "320,240,-,-75", "32,240,-,-75"), ListSyntax::Compressed, "width \"32\"");
    ExpectRejected(Replaced(list, "320,240,-,-75", "320,2400x,-,-75"), ListSyntax::Compressed, "height");
    ExpectRejected(Replaced(list, "320,240,-,-75;", "320,240,-,-75;;"), ListSyntax::Compressed, "entry 3");
    ExpectRejected(Replaced(list, "S ", "s "), ListSyntax::Compressed, "\"S \"");
    ExpectRejected("S 320,200,-,-75;;", ListSyntax::Compressed, "entry 2");
    ExpectRejected("S", ListSyntax::Compressed, "\"S \"");
}

TEST(CheckModeList, RejectsFaultyTvOutSections) {
    const std::string list = BuildCompressedList(AllCaptions("85"), "");
    ExpectRejected(list + ";A ;", ListSyntax::Compressed, "no item");
    ExpectRejected(list + ";A 720,480,-,60;;", ListSyntax::Compressed, "A item 2");
    ExpectRejected(list + ";A 720,480,-,85", ListSyntax::Compressed, "A item 1");
    ExpectRejected(list + ";A 720,480,32,60", ListSyntax::Compressed, "depth field");
    ExpectRejected(list + ";A 72000,480,-,60", ListSyntax::Compressed, "width \"72000\"");
    ExpectRejected(list + ";A 0,480,-,60", ListSyntax::Compressed, "width \"0\"");
    ExpectRejected(list + ";A 720,480,-,60;A 768,576,-,60", ListSyntax::Compressed, "A item 2");
}

TEST(CheckModeList, RejectsFaultyMaskGroups) {
    const std::string list = BuildMaskList(AllCaptions("85"));
    ExpectRejected(Replaced(list, "320x240=8055", "320x240="), ListSyntax::Mask,
                   "group 2 at position 15 \" 320x240=\" mask \"\"");
    ExpectRejected(Replaced(list, "320x240=8055", "320x240=80ff"), ListSyntax::Mask, "upper-case");
    ExpectRejected(Replaced(list, "320x240=8055", "320x240=80G5"), ListSyntax::Mask, "not hex");
    ExpectRejected(Replaced(list, "320x240=8055", "320x240=8055AAAAA"), ListSyntax::Mask, "1 to 8");
    ExpectRejected(list.substr(0, list.size() - 1), ListSyntax::Mask, "does not end with \";\"");
    ExpectRejected(Replaced(list, "; 320x240", ";320x240"), ListSyntax::Mask, "group 2");
    ExpectRejected(Replaced(list, "; 320x240", ";  320x240"), ListSyntax::Mask, "group 2");
    ExpectRejected(Replaced(list, "; 320x240", "  320x240"), ListSyntax::Mask, "group 1");
    ExpectRejected(Replaced(list, "320x240=", "320x240x24="), ListSyntax::Mask, "mode \"320x240x24\"");
    ExpectRejected(Replaced(list, "320x240=", "320x240x16,8="), ListSyntax::Mask, "mode");
    ExpectRejected(Replaced(list, "320x240=", "320x240x8,8="), ListSyntax::Mask, "mode");
    ExpectRejected(Replaced(list, "320x240=", "320x240 ="), ListSyntax::Mask, "mode \"\"");
    ExpectRejected(Replaced(list, "320x240=", "320*240="), ListSyntax::Mask, "mode");
    ExpectRejected(Replaced(list, "320x240=8055", "320x240"), ListSyntax::Mask, "no \"=\"");
    ExpectRejected(Replaced(list, "320x240=8055", "320x240=80=55"), ListSyntax::Mask, "mask");
    ExpectRejected(Replaced(list, "S ", "SHV "), ListSyntax::Mask, "\"S \"");
    ExpectRejected("S ;", ListSyntax::Mask, "group 1");
    ExpectRejected(";", ListSyntax::Mask, "\"S \"");
}

TEST(CheckModeList, AcceptsFurtherSectionsAfterEitherJoin) {
    ExpectAccepted("S 320x200=F;SHV 2048x1536x32=1; 800x600 848x480=1DFF; SHV 1920x1440x32=B; S 640x480=8;",
                   ListSyntax::Mask);
}

TEST(CheckModeList, ReasonsNameThePlace) {
    const std::string list = BuildCompressedList(AllCaptions("85"), "");
    EXPECT_EQ(CheckModeList(Replaced(list, "320,240,-,-75", "320,240,-,"), ListSyntax::Compressed).reason,
              "entry 2 at position 16 \"320,240,-,\" rate field \"\" is not a ladder rate range");
    const std::string normal = BuildNormalList(AllCaptions("N/A"), TvOutRows("72", "480"));
    EXPECT_EQ(CheckModeList(normal, ListSyntax::Normal).reason,
              "row 20 at position 817: width \"  72  \" is not 3 or 4 digits right-aligned in 6 columns");
    // Four digits with a leading zero are refused for the zero, not for a count of digits they have.
    EXPECT_EQ(CheckModeList(list + ";A 0720,480,-,60", ListSyntax::Compressed).reason,
              "A item 1 at position " + std::to_string(list.size() + 3) +
                  " \"0720,480,-,60\" width \"0720\" starts with a zero");
    EXPECT_EQ(CheckModeList(BuildNormalList(AllCaptions("N/A"), TvOutRows("720", "0480")), ListSyntax::Normal).reason,
              "row 20 at position 817: height \" 0480\" starts with a zero");
}

}  // namespace
}  // namespace tsln
