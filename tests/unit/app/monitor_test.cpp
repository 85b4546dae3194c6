// The monitor's limits in the main window where the e2e scenario does not go:
// the ladder, rows a list does not carry, Set Defaults, and no monitor at all.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fakes.h"
#include "monitor/edid_file.h"

namespace tsln::test {
namespace {

std::vector<std::uint8_t> SyncMaster() {  // 30-85 kHz, 50-160 Hz
    std::ifstream file(TSLN_EDID_DIR "/SAM0108-CF2E4499DB16.txt", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return EdidFileBytes(text.str());
}

class MonitorTest : public ::testing::Test {
protected:
    Machine pc;
    std::unique_ptr<frmMain> form;

    // Build 4000: the compressed list without masks, so the selectors run on the ladder.
    void StartInAdvancedView() {
        pc.SetUpXp(4000, true);
        pc.SetMonitor(SyncMaster());
        form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
        ASSERT_EQ(form->Form_Load(), Outcome::Continue);
        EXPECT_EQ(form->defaultButton, DefaultButton::Apply);  // the box got 85 without a change event
        form->Check1_Click();
    }
};

TEST_F(MonitorTest, FitToMonitorOnTheLadder) {
    StartInAdvancedView();
    form->mnuFitMonitor_Click();
    std::string rates;
    for (int row = 0; row < kResolutionCount; ++row)
        rates += form->editor.Caption(row) + " ";
    EXPECT_EQ(rates, "75 75 75 75 75 75 120 120 120 100 85 100 100 75 75 100 85 75 60 72 60 N/A N/A ");
    EXPECT_EQ(form->editor.SelectorOf(6).value, 7);
}

TEST_F(MonitorTest, TheWarningNamesOnlyWhatTheListWritesAndSetDefaultsNeverWarns) {
    StartInAdvancedView();
    for (int row = 0; row < kResolutionCount; ++row)
        form->editor.SetCaption(row, "N/A");
    form->editor.SetCaption(8, "240");  // 848 x 480: the ladder lists do not carry it
    form->editor.SetCaption(18, "90");  // 1600 x 1200: written as 85, which needs 110.5 kHz
    form->editor.SetCaption(9, "101");  // 1024 x 768: written as 100, within 85 kHz (103)
    pc.messages.answers = {MsgAnswer::No};
    form->cmdApply_Click();
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{{"These rates go beyond what your monitor reports "
                                                             "(30-85 kHz, 50-160 Hz): 1600 x 1200 at 85 Hz. "
                                                             "Apply them anyway?",
                                                             MsgButtons::YesNoDefaultNo, MsgIcon::Warning}}));
    pc.messages.shown.clear();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    ASSERT_EQ(pc.messages.shown.size(), 2u);
    EXPECT_EQ(pc.messages.shown[0].text, "Are you sure you wish to set the Nvidia driver default values?");
}

TEST(MonitorNotReported, NoLimitsNoFitNoWarning) {
    Machine pc;
    pc.SetUpXp(4523, true);
    frmMain form(pc.system, pc.state, pc.tester);
    ASSERT_EQ(form.Form_Load(), Outcome::Continue);
    EXPECT_EQ(form.lblMonitor, "not reported");
    EXPECT_EQ(form.Text1, "");
    form.Check1_Click();
    EXPECT_FALSE(form.mnuFitMonitor.enabled);
}

}  // namespace
}  // namespace tsln::test
