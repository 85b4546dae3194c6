// The monitor's limits in the main window: the line, Fit to Monitor in both
// selector modes, and the question Apply asks before going beyond them.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "fakes.h"
#include "monitor/edid_file.h"

namespace tsln::test {
namespace {

const char kWarning[] =
    "These rates go beyond what your monitor reports (30-85 kHz, 50-160 Hz): 640 x 480 at 195 Hz, 800 x 600 at "
    "156 Hz, 848 x 480 at 195 Hz, 1024 x 768 at 121 Hz, 1152 x 864 at 107 Hz, and 11 more. Apply them anyway?";

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

    void Start(std::uint32_t build) {
        pc.SetUpXp(build, true);
        pc.SetMonitor(SyncMaster());
        form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
        ASSERT_EQ(form->Form_Load(), Outcome::Continue);
        pc.messages.shown.clear();
    }
    std::string Rates() {
        std::string text;
        for (int row = 0; row < kResolutionCount; ++row)
            text += form->editor.Caption(row) + " ";
        return text;
    }
};

TEST_F(MonitorTest, FitToMonitorInHertzMode) {
    Start(4523);
    EXPECT_EQ(form->lblMonitor, "SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz");
    EXPECT_EQ(form->Text1, "85");
    EXPECT_EQ(form->defaultButton, DefaultButton::Apply);
    EXPECT_FALSE(form->mnuFitMonitor.enabled);
    form->Check1_Click();
    EXPECT_TRUE(form->mnuFitMonitor.enabled);
    form->mnuFitMonitor_Click();
    EXPECT_EQ(Rates(), "75 75 75 75 75 75 160 132 160 103 91 110 103 82 76 103 87 76 65 72 65 N/A N/A ");
    EXPECT_EQ(form->editor.SelectorOf(7).value, 132);
    // What Fit set, Apply writes without a warning.
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    EXPECT_EQ(pc.messages.shown.size(), 2u);
    EXPECT_EQ(pc.messages.shown[0].text, "Are you sure you want to apply these values to the registry?");
    form->Check1_Click();
    EXPECT_FALSE(form->mnuFitMonitor.enabled);
}

TEST_F(MonitorTest, FitToMonitorInLadderMode) {
    Start(4000);  // the compressed list without masks
    form->Check1_Click();
    form->mnuFitMonitor_Click();
    EXPECT_EQ(Rates(), "75 75 75 75 75 75 120 120 120 100 85 100 100 75 75 100 85 75 60 72 60 N/A N/A ");
    EXPECT_EQ(form->editor.SelectorOf(6).value, 7);
}

TEST_F(MonitorTest, ApplyAsksBeforeGoingBeyondAndNoWritesNothing) {
    Start(4523);
    form->Check1_Click();
    form->Text1_Change("100");
    form->cmdCalc_Click();
    const std::string logBefore = pc.files.files[kDebugTxt];
    pc.messages.answers = {MsgAnswer::No};
    form->cmdApply_Click();
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{{kWarning, MsgButtons::YesNoDefaultNo, MsgIcon::Warning}}));
    EXPECT_EQ(pc.Get(pc.state.DriverRegPath, "NV25_Modes_Delta"), "<missing>");
    EXPECT_EQ(pc.files.files[kDebugTxt], logBefore);

    pc.messages.shown.clear();
    pc.messages.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    form->cmdApply_Click();
    ASSERT_EQ(pc.messages.shown.size(), 3u);
    EXPECT_EQ(pc.messages.shown[1].text, "Are you sure you want to apply these values to the registry?");
    EXPECT_EQ(pc.Get(pc.state.DriverRegPath, "NV25_Modes_Delta"), form->NewModeList);

    // Set Defaults writes the driver's own list: no question about the monitor.
    pc.messages.shown.clear();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    ASSERT_EQ(pc.messages.shown.size(), 2u);
    EXPECT_EQ(pc.messages.shown[0].text, "Are you sure you wish to set the Nvidia driver default values?");
}

TEST_F(MonitorTest, TheWarningNamesOnlyRowsTheListWrites) {
    Start(4000);
    form->Check1_Click();
    for (int row = 0; row < kResolutionCount; ++row)
        form->editor.SetCaption(row, "N/A");
    form->editor.SetCaption(8, "240");  // 848 x 480: the ladder lists do not carry it
    form->editor.SetCaption(18, "90");  // 1600 x 1200: written as 85, which needs 110.5 kHz
    form->editor.SetCaption(9, "101");  // 1024 x 768: written as 100, within 85 kHz (103)
    pc.messages.answers = {MsgAnswer::No};
    form->cmdApply_Click();
    ASSERT_EQ(pc.messages.shown.size(), 1u);
    EXPECT_EQ(pc.messages.shown[0].text,
              "These rates go beyond what your monitor reports (30-85 kHz, 50-160 Hz): "
              "1600 x 1200 at 85 Hz. Apply them anyway?");
}

TEST(MonitorNotReported, TheWindowBehavesAsWithoutLimits) {
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
