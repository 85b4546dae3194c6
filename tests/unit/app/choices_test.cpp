// Loading choices from a file: the reader's rules, and the rows and TV-Out
// pair a load leaves (the file's text and a save and load round trip: the
// console's tests).
#include <gtest/gtest.h>

#include "fakes.h"

namespace tsln::test {
namespace {

constexpr char kFile[] = "C:\\My Documents\\c.tsln";
constexpr char kTsln[] = "SOFTWARE\\TSLN";

struct ChoicesPc : Machine {
    std::unique_ptr<frmMain> form;
    explicit ChoicesPc(bool mask) {
        SetUpXp(mask ? 4523 : 3082);
        SetModes({{640, 480, 32, 75}, {1024, 768, 32, 85}});
        Set(kTsln, "ResW2", "768");
        Set(kTsln, "ResH2", "576");
        form = std::make_unique<frmMain>(system, state, tester);
        EXPECT_EQ(form->Form_Load(), Outcome::Continue);
    }
};

// One file, in the spellings Windows' own .ini files allow, on both PCs: the
// ladder takes the highest step not above each rate, the hertz selectors the
// rate up to their bound; the TV-Out pair is stored as the dialog's OK stores it.
TEST(Choices, RowsLoadAsTheSelectorsAllowAndTheTvOutPairAsTheDialogStoresIt) {
    const std::string file =
        "\xEF\xBB\xBF; by hand\n\n [ tessaline ] \nVersion=9.9\nNew=key\n[Later]\nWhat=ever\n[RATES]\n"
        "320x200=85\r\n 640X480 =\t90 \n800x600=61\n848x480=100\n1024x768=59\n1152x864=0\n"
        "1600x1200=240\n1280x720=n/a\n[tv-out]\nRESOLUTION1 = 720x480\n";
    for (const bool mask : {false, true}) {
        ChoicesPc pc(mask);
        pc.files.files[kFile] = file;
        pc.form->mnuLoadChoices_Click(kFile);
        const std::vector<std::string> expected =
            mask ? std::vector<std::string>{"75", "90", "61", "100", "59", "N/A", "240", "N/A", "N/A"}
                 : std::vector<std::string>{"85", "85", "60", "100", "N/A", "N/A", "120", "N/A", "N/A"};
        std::vector<std::string> shown;
        for (const int row : {0, 6, 7, 8, 9, 10, 18, 11, 22})
            shown.push_back(pc.form->editor.Caption(row));
        EXPECT_EQ(shown, expected) << (mask ? "hertz" : "ladder");
        EXPECT_EQ(pc.form->editor.SelectorOf(6).value, mask ? 90 : 5);
        EXPECT_EQ(pc.form->editor.SelectorOf(10).value, 0);
        EXPECT_EQ(pc.form->Label50, mask ? "Added Resolutions: N/A" : "Added Resolutions: 720x480; 768x576");
        EXPECT_EQ(pc.Get(kTsln, "ResW1") + pc.Get(kTsln, "ResH1") + pc.Get(kTsln, "ResW2"), "720480768");
        EXPECT_EQ(pc.state.TvOut.compressed, ";A 720,480,-,60;768,576,-,60");
    }
}

TEST(Choices, AnyFaultIsOneErrorBoxNamingTheLineAndChangesNothing) {
    const std::string head = "[Tessaline]\r\n[Rates]\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "c.tsln could not be read."},
        {"[Rates]\r\n1024x768=85\r\n", "c.tsln is not a Tessaline choices file (it has no [Tessaline] section)."},
        {std::string(64 * 1024 + 1, ';'), "c.tsln is not a Tessaline choices file (it is larger than 64 KB)."},
        {head + "1024x768 85\r\n", "c.tsln, line 3: expected [Section] or Name=Value, not \"1024x768 85\"."},
        {"a=b\r\n[Tessaline]\r\n", "c.tsln, line 1: Name=Value before the first [Section]."},
        {head + "[TV-Out\r\n", "c.tsln, line 3: a section name ends in \"]\"."},
        {head + "\x01" + std::string(30, 'x') + "=85\r\n",
         "c.tsln, line 3: there is no row for \"^A" + std::string(23, 'x') + "...\"."},
        {"[Tessaline]\r\n[TV-Out]\r\nResolution1=720x480\r\n[Rates]\r\n1024x768=8o\r\n",
         "c.tsln, line 5: the rate for 1024x768 must be a whole number or N/A."},
        {head + "1024x768=85\r\n1024X768 = 60\r\n", "c.tsln, line 4: 1024x768 is named twice."},
        {head + "[TV-Out]\r\nResolution3=\r\n", "c.tsln, line 4: unknown key \"Resolution3\" in [TV-Out]."},
        {head + "[TV-Out]\r\nResolution2=\r\nresolution2=\r\n", "c.tsln, line 5: Resolution2 is named twice."},
        {head + "[TV-Out]\r\nResolution1=0720x480\r\n",
         "c.tsln, line 4: Resolution1 must be empty or WIDTHxHEIGHT, three or four digits each (for example 720x480)."},
    };
    for (const auto& [text, message] : cases) {
        ChoicesPc pc(false);
        if (!text.empty())
            pc.files.files[kFile] = text;
        const RateCaptions before = pc.form->editor.Captions();
        pc.form->mnuLoadChoices_Click(kFile);
        const std::vector<ShownMessage> box{{message + " Nothing was loaded.", MsgButtons::Ok, MsgIcon::Error}};
        EXPECT_EQ(pc.messages.shown, box) << message;
        EXPECT_FALSE(pc.form->Check1);
        EXPECT_EQ(pc.form->editor.Captions(), before);
        EXPECT_EQ(pc.Get(kTsln, "ResW1"), "<missing>");
    }
}

}  // namespace
}  // namespace tsln::test
