// The rate editor: selectors and their labels in both modes, the reload from
// the system's display modes, Advanced Mode and the quick set.
#include <gtest/gtest.h>

#include <cstdlib>

#include "editor/decimal_text.h"
#include "editor/quick_set.h"
#include "editor/rate_editor.h"
#include "fakes.h"

namespace tsln::test {
namespace {

constexpr int k320x200 = 0;
constexpr int k640x480 = 6;
constexpr int k800x600 = 7;
constexpr int k848x480 = 8;
constexpr int k1024x768 = 9;
constexpr int k2048x1536 = 22;

TEST(RateEditorLadder, ArrowsWalkTheLadderAndOvershootKeepsTheLabel) {
    RateEditor editor;
    editor.SetCaption(k640x480, "85");
    editor.Arrow(k640x480, +1);
    EXPECT_EQ(editor.Caption(k640x480), "60");  // whatever the system said before
    for (const char* expected : {"70", "72", "75", "85", "100", "120"}) {
        editor.Arrow(k640x480, +1);
        EXPECT_EQ(editor.Caption(k640x480), expected);
    }
    editor.Arrow(k640x480, +1);
    editor.Arrow(k640x480, +1);
    EXPECT_EQ(editor.SelectorOf(k640x480).value, 9);
    EXPECT_EQ(editor.Caption(k640x480), "120");
    editor.Arrow(k640x480, -1);
    editor.Arrow(k640x480, -1);
    EXPECT_EQ(editor.Caption(k640x480), "120");  // back at 7
    editor.Arrow(k640x480, -1);
    EXPECT_EQ(editor.Caption(k640x480), "100");
    for (int i = 0; i < 6; ++i)
        editor.Arrow(k640x480, -1);
    EXPECT_EQ(editor.SelectorOf(k640x480).value, 0);
    EXPECT_EQ(editor.Caption(k640x480), "60");  // 0 is no ladder index: the label stays
    editor.Arrow(k640x480, -1);
    EXPECT_EQ(editor.SelectorOf(k640x480).value, 0);
}

TEST(RateEditorHertz, ArrowsShowTheRateAndStopAtTheBounds) {
    RateEditor editor;
    editor.SetMaskModeFormat(true);
    editor.Arrow(k320x200, +1);
    EXPECT_EQ(editor.Caption(k320x200), "1");
    editor.Arrow(k320x200, -1);
    EXPECT_EQ(editor.Caption(k320x200), "N/A");
    for (int i = 0; i < 100; ++i)
        editor.Arrow(k320x200, +1);
    EXPECT_EQ(editor.SelectorOf(k320x200).value, 75);
    EXPECT_EQ(editor.Caption(k320x200), "75");
    for (int i = 0; i < 300; ++i)
        editor.Arrow(k2048x1536, +1);
    EXPECT_EQ(editor.SelectorOf(k2048x1536).value, 240);
    EXPECT_EQ(editor.Caption(k2048x1536), "240");
}

TEST(RateEditorHertz, SettingTheSameValueDoesNotRefresh) {
    RateEditor editor;
    editor.SetMaskModeFormat(true);
    editor.SetCaption(k1024x768, "90");
    editor.SetValue(k1024x768, 0);
    EXPECT_EQ(editor.Caption(k1024x768), "90");
    editor.SetValue(k1024x768, 241);  // outside the range: refused
    EXPECT_EQ(editor.SelectorOf(k1024x768).value, 0);
}

class SystemRatesTest : public ::testing::Test {
protected:
    RateEditor editor;
    std::array<std::string, kResolutionCount> Show(std::vector<DisplayMode> modes) {
        ModeListDisplayModes source(std::move(modes));
        editor.ShowSystemRates(source);
        return editor.Captions();
    }
};

TEST_F(SystemRatesTest, LastMatchingModeWinsAndUnusableRatesShowNA) {
    const auto captions = Show({
        {1024, 768, 16, 85},
        {1024, 768, 32, 75},   // the later one wins, not the higher
        {640, 480, 4, 60},     // 16 colours: not for 640 x 480
        {320, 200, 4, 70},     // but for the three smallest
        {800, 600, 32, 56},    // VGA fallback
        {1280, 1024, 32, 1},   // hardware default
        {1600, 1200, 32, 90},  // off the ladder, kept
        {1152, 864, 32, 85},
        {1152, 864, 32, 0},   // 0 Hz entries are skipped
        {1280, 800, 32, 60},  // not one of the rows
    });
    EXPECT_EQ(captions[k1024x768], "75");
    EXPECT_EQ(captions[k640x480], "N/A");
    EXPECT_EQ(captions[k320x200], "70");
    EXPECT_EQ(captions[k800x600], "N/A");
    EXPECT_EQ(captions[14], "N/A");
    EXPECT_EQ(captions[18], "90");
    EXPECT_EQ(captions[10], "85");
    EXPECT_EQ(captions[k848x480], "N/A");
}

TEST_F(SystemRatesTest, NoModesAtAllGivesNAEverywhere) {
    for (const auto& caption : Show({}))
        EXPECT_EQ(caption, "N/A");
}

TEST(SyncSelectors, LadderModeTakesOnlyLadderTextsAndSkipsMaskOnlyRows) {
    RateEditor editor;
    editor.SetCaption(k640x480, "85");
    editor.SetCaption(k800x600, "90");
    editor.SetCaption(k1024x768, "N/A");
    editor.SetCaption(k848x480, "75");
    editor.SetValue(k800x600, 3);
    editor.SetCaption(k800x600, "90");
    editor.SyncSelectorsFromLabels();
    EXPECT_EQ(editor.SelectorOf(k640x480).value, 5);
    EXPECT_EQ(editor.SelectorOf(k800x600).value, 3);
    EXPECT_EQ(editor.Caption(k800x600), "90");
    EXPECT_EQ(editor.SelectorOf(k1024x768).value, 0);
    EXPECT_EQ(editor.SelectorOf(k848x480).value, 0);
}

TEST(SyncSelectors, HertzModeClampsToTheBoundButKeepsTheSystemRate) {
    RateEditor editor;
    editor.SetMaskModeFormat(true);
    editor.SetCaption(k1024x768, "85");
    editor.SetCaption(k640x480, "N/A");
    editor.SetValue(k640x480, 12);
    editor.SetCaption(k640x480, "N/A");
    editor.SetCaption(k320x200, "85");
    editor.SetCaption(k2048x1536, "300");
    editor.SyncSelectorsFromLabels();
    EXPECT_EQ(editor.SelectorOf(k1024x768).value, 85);
    EXPECT_EQ(editor.SelectorOf(k640x480).value, 0);
    EXPECT_EQ(editor.Caption(k640x480), "N/A");
    EXPECT_EQ(editor.SelectorOf(k320x200).value, 75);
    EXPECT_EQ(editor.Caption(k320x200), "85");
    EXPECT_EQ(editor.SelectorOf(k2048x1536).value, 240);
    EXPECT_EQ(editor.Caption(k2048x1536), "300");
    editor.Arrow(k320x200, -1);
    EXPECT_EQ(editor.Caption(k320x200), "74");
}

class AdvancedModeTest : public ::testing::Test {
protected:
    Machine pc;
    std::unique_ptr<frmMain> form;
    void Start(bool mask) {
        pc.SetUpXp(mask ? 4523 : 3082, true, "NVIDIA GeForce4 Ti 4600");
        pc.SetModes({{640, 480, 32, 85}, {1024, 768, 32, 75}});
        form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
        ASSERT_EQ(form->Form_Load(), Outcome::Continue);
    }
};

TEST_F(AdvancedModeTest, OnAndOffAgainDiscardsEveryChange) {
    Start(false);
    form->Check1_Click();
    EXPECT_EQ(form->heightTwips, 6400);
    EXPECT_TRUE(form->mnuLoad.enabled);
    EXPECT_TRUE(form->mnuTVORes.enabled);
    EXPECT_EQ(form->editor.SelectorOf(k640x480).value, 5);
    form->Selector_Arrow(k640x480, +1);
    EXPECT_EQ(form->editor.Caption(k640x480), "100");
    form->Check1_Click();
    EXPECT_EQ(form->heightTwips, 5800);
    EXPECT_EQ(form->editor.Caption(k640x480), "85");
    EXPECT_FALSE(form->mnuLoad.enabled);
    EXPECT_FALSE(form->mnuTVORes.enabled);  // also in ladder mode, where start-up enabled it
    EXPECT_FALSE(form->editor.SelectorOf(k640x480).enabled);
    form->Selector_Arrow(k640x480, +1);  // a disabled selector does not move
    EXPECT_EQ(form->editor.Caption(k640x480), "85");
}

TEST_F(AdvancedModeTest, MaskModeShowsNoTvOutAndKeepsItsMenuOff) {
    Start(true);
    pc.Set("SOFTWARE\\TSLN", "ResW1", "720");
    pc.Set("SOFTWARE\\TSLN", "ResH1", "480");
    form->Check1_Click();
    EXPECT_EQ(form->Label50, "Added Resolutions: N/A");
    EXPECT_FALSE(form->mnuTVORes.enabled);
    EXPECT_EQ(form->editor.SelectorOf(k1024x768).value, 75);
}

TEST_F(AdvancedModeTest, LoadMarkFollowsTheRegistryAtEverySwitch) {
    Start(true);
    pc.SetDword("SOFTWARE\\TSLN", "LoadOnStartup", 1);
    form->Check1_Click();
    EXPECT_TRUE(form->mnuLoad.checked);
    pc.SetDword("SOFTWARE\\TSLN", "LoadOnStartup", 0);
    form->Check1_Click();
    EXPECT_FALSE(form->mnuLoad.checked);
}

class QuickSetTest : public ::testing::Test {
protected:
    RateEditor editor;
    QuickSetTest() {
        editor.SetMaskModeFormat(true);
        for (int row = 0; row < kResolutionCount; ++row)
            editor.SetCaption(row, "x");
    }
    std::string Rates() const {
        std::string all;
        for (const auto& caption : editor.Captions())
            all += caption + " ";
        return all;
    }
};

TEST_F(QuickSetTest, SeventyKilohertz) {
    ASSERT_TRUE(QuickSet(editor, "70"));
    // Row order: the six smallest untouched, then 640x480 ... 2048x1536.
    EXPECT_EQ(Rates(), "x x x x x x 136 108 136 84 74 90 84 67 62 84 71 62 N/A N/A N/A N/A N/A ");
    EXPECT_EQ(editor.SelectorOf(k640x480).value, 136);
    EXPECT_EQ(editor.SelectorOf(22).value, 0);
}

TEST_F(QuickSetTest, EdgesOfTheRange) {
    ASSERT_TRUE(QuickSet(editor, "31.5"));
    EXPECT_EQ(Rates(), "x x x x x x 60 N/A 60 N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A ");
    ASSERT_TRUE(QuickSet(editor, "130"));
    // 480 lines compute 255: above the selectors' bound, left as they were.
    EXPECT_EQ(editor.Caption(k640x480), "60");
    EXPECT_EQ(editor.Caption(k800x600), "203");
    ASSERT_TRUE(QuickSet(editor, "0"));
    EXPECT_EQ(Rates(), "x x x x x x N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A N/A ");
    ASSERT_TRUE(QuickSet(editor, "31,5"));  // a comma marks decimals too
    EXPECT_EQ(editor.Caption(k640x480), "60");
}

TEST_F(QuickSetTest, DisabledRowsKeepTheirRateButStillDropToNA) {
    editor.SetEnabled(k800x600, false);
    editor.SetEnabled(22, false);
    ASSERT_TRUE(QuickSet(editor, "70"));
    EXPECT_EQ(editor.Caption(k800x600), "x");
    EXPECT_EQ(editor.Caption(22), "N/A");
}

TEST_F(QuickSetTest, TextThatIsNoFrequencyChangesNothing) {
    for (const char* text :
         {"", "abc", "70kHz", "-5", "7.0.0", ".", "1e3", " 70", "99999999999", "20000" /* rates beyond 16 bits */}) {
        EXPECT_FALSE(QuickSet(editor, text)) << text;
        EXPECT_EQ(Rates(), "x x x x x x x x x x x x x x x x x x x x x x x ") << text;
    }
}

TEST(DecimalText, ReadsAsStrtodDoesAtAnyLengthAndRefusesTheRest) {
    const std::string zeros(330, '0');
    for (const std::string& text : {std::string("81.5"), std::string("0.3"), std::string("31,25"), std::string("5."),
                                    std::string(".5"), "0000" + zeros + "70.1", "0." + zeros, "70." + zeros,
                                    std::string("123456789.012345"), std::string("0.0000000000000000000001")}) {
        std::string dotted = text;
        for (char& c : dotted)
            c = c == ',' ? '.' : c;
        const auto value = ParseDecimal(text);
        ASSERT_TRUE(value) << text;
        EXPECT_EQ(*value, std::strtod(dotted.c_str(), nullptr)) << text;
    }
    // Once the decimals ran past the reader's precision, later digits counted
    // as whole ones and a second mark was taken: this read as 70 kHz.
    EXPECT_FALSE(ParseDecimal("0." + zeros + "70"));
    EXPECT_FALSE(ParseDecimal("1234567890123456"));  // more digits than any frequency needs
    for (const char* text : {"", ".", ",", "1.2.3", "1,2.3", "+1", "1e3", " 1", "0x10", "inf"}) {
        EXPECT_FALSE(ParseDecimal(text)) << text;
    }
}

TEST(DecimalText, TheBoxTakesDigitsAndOneSeparatorAtTheKey) {
    // What a user ends up with after typing each character into an empty box.
    const auto typed = [](const std::string& keys, char userSeparator) {
        std::string box;
        for (const char key : keys) {
            if (DecimalBoxTakes(box, key, userSeparator))
                box += key;
        }
        return box;
    };
    EXPECT_EQ(typed("81.5", '.'), "81.5");
    EXPECT_EQ(typed("8a1-. 5.,3e", '.'), "81.53");
    EXPECT_EQ(typed("31,5", '.'), "315");
    EXPECT_EQ(typed("31,5.", ','), "31,5");
    EXPECT_EQ(typed("31.5,", ','), "31.5");
    for (const char control : {'\b', '\x03', '\x16', '\x18', '\x1a'}) {  // Backspace, Ctrl+C/V/X/Z
        EXPECT_TRUE(DecimalBoxTakes("81.5", control, '.'));
    }
    EXPECT_TRUE(DecimalBoxTakes("81", '.', '.'));  // the old mark was inside the selection the key replaces
}

TEST_F(AdvancedModeTest, SetRunsOnEnterAfterTypingAndThenLetsGo) {
    Start(true);
    form->Check1_Click();
    EXPECT_EQ(form->defaultButton, DefaultButton::Apply);
    form->Text1_Change("70");
    EXPECT_EQ(form->defaultButton, DefaultButton::Calc);
    form->cmdCalc_Click();
    EXPECT_EQ(form->defaultButton, DefaultButton::None);
    EXPECT_EQ(form->editor.Caption(k640x480), "136");
    form->cmdCalcDef_Click();
    EXPECT_EQ(form->editor.Caption(k640x480), "85");
    EXPECT_EQ(form->editor.SelectorOf(k640x480).value, 136);  // labels and selectors disagree until moved
}

TEST_F(AdvancedModeTest, QuickSetArrowsContinueFromTypedNumber) {
    Start(true);
    form->UpDown24_Arrow(+1);
    EXPECT_EQ(form->Text1, "1");
    form->Text1_Change("70");
    form->UpDown24_Arrow(+1);
    EXPECT_EQ(form->Text1, "71");
    form->Text1_Change("150");
    form->UpDown24_Arrow(+1);
    EXPECT_EQ(form->Text1, "150");
    form->Text1_Change("abc");
    form->UpDown24_Arrow(-1);
    EXPECT_EQ(form->Text1, "70");  // from the control's own value, last set to 71
    form->Text1_Change("0");
    form->UpDown24_Arrow(-1);
    EXPECT_EQ(form->Text1, "0");
    // A typed decimal goes to the next whole number either way.
    form->Text1_Change("81.5");
    form->UpDown24_Arrow(+1);
    EXPECT_EQ(form->Text1, "82");
    form->Text1_Change("81,5");
    form->UpDown24_Arrow(-1);
    EXPECT_EQ(form->Text1, "81");
    form->Text1_Change("150.5");
    form->UpDown24_Arrow(+1);
    EXPECT_EQ(form->Text1, "150.5");  // nothing above the range
    form->UpDown24_Arrow(-1);
    EXPECT_EQ(form->Text1, "150");
}

}  // namespace
}  // namespace tsln::test
