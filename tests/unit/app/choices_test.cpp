// Saving the choices to a file and loading them again: the file's text, the
// reader's rules, and the rows and TV-Out pair a load leaves.
#include <gtest/gtest.h>

#include "choices/choices_file.h"
#include "fakes.h"

namespace tsln::test {
namespace {

constexpr char kFile[] = "C:\\My Documents\\c.tsln";
constexpr char kTsln[] = "SOFTWARE\\TSLN";

std::string CrLf(std::string text) {
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
        text.insert(at, "\r");
    return text;
}

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
    std::string Apply() {
        messages.answers = {MsgAnswer::Yes};
        form->cmdApply_Click();
        return Get(kXpDriverKey, state.ModesValueName);
    }
};

TEST(Choices, SavedFileLoadsBackToTheSameRowsAndTheSameList) {
    ChoicesPc pc(true);
    pc.Set(kTsln, "ResW1", "1024");
    pc.Set(kTsln, "ResH1", "7 68");  // stored by another tool: no row, so saved empty
    pc.form->Check1_Click();
    pc.form->Selector_Arrow(0, +1);
    pc.form->Selector_Arrow(6, +1);
    pc.form->mnuSaveChoices_Click(kFile);
    const std::string applied = pc.Apply();
    EXPECT_EQ(pc.files.files[kFile], CrLf(R"(; Tessaline choices, saved 2026-12-07 13:05:09
[Tessaline]
Version=2.0
Adapter=NVIDIA GeForce4 Ti 4600
Monitor=not reported

[Rates]
320x200=1
320x240=N/A
400x300=N/A
480x360=N/A
512x384=N/A
640x400=N/A
640x480=76
800x600=N/A
848x480=N/A
1024x768=85
1152x864=N/A
1280x720=N/A
1280x768=N/A
1280x960=N/A
1280x1024=N/A
1360x768=N/A
1600x900=N/A
1600x1024=N/A
1600x1200=N/A
1920x1080=N/A
1920x1200=N/A
1920x1440=N/A
2048x1536=N/A

[TV-Out]
Resolution1=
Resolution2=768x576
)"));

    const RateCaptions saved = pc.form->editor.Captions();
    pc.form->Check1_Click();  // the simple view again: the system's rates
    pc.Set(kTsln, "ResW2", "");
    pc.form->mnuLoadChoices_Click(kFile);
    EXPECT_TRUE(pc.form->Check1);
    EXPECT_EQ(pc.form->editor.Captions(), saved);
    EXPECT_EQ(pc.form->editor.SelectorOf(6).value, 76);
    EXPECT_EQ(pc.Get(kTsln, "ResW1") + pc.Get(kTsln, "ResH1") + pc.Get(kTsln, "ResW2"), "768");
    EXPECT_EQ(pc.form->Label50, "Added Resolutions: N/A");
    EXPECT_NE(applied, "<missing>");
    EXPECT_EQ(pc.Apply(), applied);
}

// One file on both PCs: the ladder takes the highest step not above each
// rate, the hertz selectors the rate up to their bound.
TEST(Choices, RowsLoadAsTheSelectorsAllowAndTheTvOutPairAsTheDialogStoresIt) {
    const std::string file = CrLf(R"([Tessaline]
[Rates]
320x200=85
640x480=90
800x600=61
848x480=100
1024x768=59
1152x864=0
1600x1200=240
[TV-Out]
Resolution1=720x480
)");
    for (const bool mask : {false, true}) {
        ChoicesPc pc(mask);
        pc.files.files[kFile] = file;
        pc.form->mnuLoadChoices_Click(kFile);
        const std::vector<std::string> expected =
            mask ? std::vector<std::string>{"75", "90", "61", "100", "59", "N/A", "240", "N/A"}
                 : std::vector<std::string>{"85", "85", "60", "100", "N/A", "N/A", "120", "N/A"};
        std::vector<std::string> shown;
        for (const int row : {0, 6, 7, 8, 9, 10, 18, 22})
            shown.push_back(pc.form->editor.Caption(row));
        EXPECT_EQ(shown, expected) << (mask ? "hertz" : "ladder");
        EXPECT_EQ(pc.form->editor.SelectorOf(6).value, mask ? 90 : 5);
        EXPECT_EQ(pc.form->editor.SelectorOf(10).value, 0);
        EXPECT_EQ(pc.form->Label50, mask ? "Added Resolutions: N/A" : "Added Resolutions: 720x480; 768x576");
        EXPECT_EQ(pc.Get(kTsln, "ResW1") + pc.Get(kTsln, "ResH1") + pc.Get(kTsln, "ResW2"), "720480768");
        if (!mask)
            EXPECT_EQ(pc.state.TvOut.compressed, ";A 720,480,-,60;768,576,-,60");
    }
}

TEST(Choices, ReaderTakesWhatWindowsIniFilesTake) {
    std::string error;
    const auto read = ReadChoices(
        "; saved by hand\n\n [ tessaline ] \nVersion=9.9\nNew=key\n[Later]\nWhat=ever\n"
        "[RATES]\n  1024X768 =\t85 \r\n640x480=n/a\n[tv-out]\nRESOLUTION1 = 720X480\n",
        "c.tsln", &error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->rates[9], 85);
    EXPECT_EQ(read->rates[6], 0);
    EXPECT_FALSE(read->rates[7]);
    ASSERT_TRUE(read->tvOut[0]);
    EXPECT_EQ(read->tvOut[0]->width + read->tvOut[0]->height, "720480");
    EXPECT_FALSE(read->tvOut[1]);
}

TEST(Choices, AnyFaultIsOneErrorBoxNamingTheLineAndChangesNothing) {
    const std::string head = "[Tessaline]\r\n[Rates]\r\n";
    const std::pair<std::string, std::string> cases[] = {
        {"[Rates]\r\n1024x768=85\r\n", "c.tsln is not a Tessaline choices file (it has no [Tessaline] section)."},
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
        {std::string(64 * 1024 + 1, ';'), "c.tsln is not a Tessaline choices file (it is larger than 64 KB)."},
    };
    for (const auto& [text, message] : cases) {
        ChoicesPc pc(false);
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

TEST(Choices, FilesThatCannotBeReadOrWrittenAreErrorBoxesNamingThem) {
    ChoicesPc pc(false);
    pc.form->mnuLoadChoices_Click("C:\\none.tsln");
    pc.files.files[kFile] = "old";
    pc.files.readOnly.push_back(kFile);
    pc.form->mnuSaveChoices_Click(kFile);
    EXPECT_EQ(pc.files.files[kFile], "old");
    ASSERT_EQ(pc.messages.shown.size(), 2u);
    EXPECT_EQ(pc.messages.shown[0].text, "none.tsln could not be read. Nothing was loaded.");
    EXPECT_EQ(pc.messages.shown[1].text, "Error writing c.tsln. Nothing was saved.");
}

}  // namespace
}  // namespace tsln::test
