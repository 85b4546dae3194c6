// The monitor's limits in the main window where the e2e scenario does not go:
// the ladder, rows a list does not carry, Set Defaults, and no monitor at all.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "editor/fit_to_monitor.h"
#include "fakes.h"
#include "monitor/edid_file.h"
#include "monitor/gtf.h"

namespace tsln::test {
namespace {

std::vector<std::uint8_t> Sample(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return EdidFileBytes(text.str());
}

std::vector<std::uint8_t> SyncMaster() {  // 30-85 kHz, 50-160 Hz, 180 MHz
    return Sample(TSLN_EDID_DIR "/SAM0108-CF2E4499DB16.txt");
}

constexpr char kSyncMasterKey[] = "SOFTWARE\\TSLN\\Monitors\\SAM0108#H9LL903013";
constexpr char kNoEdidKey[] =
    "SOFTWARE\\TSLN\\Monitors\\MONITOR#Default_Monitor#{4D36E96E-E325-11CE-BFC1-08002BE10318}#0000";

void SetByHand(Machine& pc, const std::string& key, const std::string& horizontal, const std::string& vertical) {
    pc.Set(key, "Limits", horizontal + " " + vertical);
}

class MonitorTest : public ::testing::Test {
protected:
    Machine pc;
    std::unique_ptr<frmMain> form;

    // Build 4000: the compressed list without masks, so the selectors run on
    // the ladder; from 4041 on, masks and hertz.
    void StartInAdvancedView(std::uint32_t build = 4000) {
        pc.SetUpXp(build, true);
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
    EXPECT_EQ(rates, "75 75 75 75 75 75 120 120 120 100 85 100 100 75 75 100 85 75 60 60 N/A N/A N/A ");
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
                                                             "(30-85 kHz, 50-160 Hz, 180 MHz): 1600 x 1200 at 85 Hz. "
                                                             "Apply them anyway?",
                                                             MsgButtons::YesNoDefaultNo, MsgIcon::Warning}}));
    pc.messages.shown.clear();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    ASSERT_EQ(pc.messages.shown.size(), 2u);
    EXPECT_EQ(pc.messages.shown[0].text, "Are you sure you wish to set the Nvidia driver default values?");
}

TEST_F(MonitorTest, TheWarningNamesRatesBelowTheLowestHzApart) {
    StartInAdvancedView(4523);
    for (int row = 0; row < kResolutionCount; ++row)
        form->editor.SetCaption(row, "N/A");
    form->editor.SetCaption(19, "1");  // 1920 x 1080
    form->editor.SetCaption(0, "60");  // 320 x 200, seen as 640 x 400: 24.9 kHz
    form->editor.SetCaption(6, "60");  // 640 x 480: 29.8 kHz by the GTF, but the monitor lists it (31.5 kHz)
    pc.messages.answers = {MsgAnswer::No};
    form->cmdApply_Click();
    ASSERT_EQ(pc.messages.shown.size(), 1u);
    EXPECT_EQ(pc.messages.shown[0].text,
              "These rates are below what your monitor reports (30-85 kHz, 50-160 Hz, 180 MHz): 320 x 200 at 60 Hz, "
              "1920 x 1080 at 1 Hz. Apply them anyway?");
    form->editor.SetCaption(18, "90");
    pc.messages.answers = {MsgAnswer::No};
    form->cmdApply_Click();
    EXPECT_EQ(pc.messages.shown[1].text,
              "These rates go beyond what your monitor reports (30-85 kHz, 50-160 Hz, 180 MHz): 1600 x 1200 at 90 Hz. "
              "These are below it: 320 x 200 at 60 Hz, 1920 x 1080 at 1 Hz. Apply them anyway?");
    EXPECT_EQ(pc.messages.shown[1].buttons, MsgButtons::YesNoDefaultNo);
}

// A stored pair wins over the EDID for the monitor it was set for, read by
// PnP ID and serial; the same model with another serial, and a pair no dialog
// would take, are not used.
TEST_F(MonitorTest, LimitsSetByHandWinForTheirMonitorOnly) {
    SetByHand(pc, "SOFTWARE\\TSLN\\Monitors\\SAM0108#H9LL903014", "30-40", "50-60");
    StartInAdvancedView();
    EXPECT_EQ(form->lblMonitor, "SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz, 180 MHz");

    SetByHand(pc, kSyncMasterKey, "31-96", "55-100");
    form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
    ASSERT_EQ(form->Form_Load(), Outcome::Continue);
    EXPECT_EQ(form->lblMonitor, "SyncMaster (SAM0108), 31-96 kHz, 55-100 Hz (set by hand)");
    EXPECT_EQ(form->Text1, "96");
    form->Check1_Click();
    form->mnuFitMonitor_Click();
    EXPECT_EQ(form->editor.Caption(6), "100");  // 640 x 480: 188 from 96 kHz, held to 100 Hz

    SetByHand(pc, kSyncMasterKey, "96-31", "55-100");
    form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
    ASSERT_EQ(form->Form_Load(), Outcome::Continue);
    EXPECT_EQ(form->lblMonitor, "SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz, 180 MHz");
}

// Fit to Monitor on every sample monitor with usable limits, against its rule
// written out another way: up from 60 Hz, each whole rate's GTF timing held
// against each limit until one stops it, then the modes the monitor lists.
// Across the samples each limit, a listed mode and a row's bound decide rows,
// and the fitted rates never bring the warning.
TEST(FitToRealMonitors, EveryRowByTheRuleWrittenOut) {
    std::set<std::string> deciders;
    int monitors = 0;
    for (const auto& file : std::filesystem::directory_iterator(TSLN_EDID_DIR)) {
        const auto edid = ReadEdid(Sample(file.path()));
        const auto limits = UsableLimits(edid);
        if (!limits)
            continue;
        ++monitors;
        const MonitorLimits& l = *limits;
        RateCaptions captions;
        for (int row = 0; row < kResolutionCount; ++row) {
            const int width = MonitorWidth(row), lines = MonitorLines(row), bound = kRateRows[row].maxValue;
            int expected = 0;
            std::string decider = "bound";
            for (int hz = 60; hz <= bound && decider == "bound"; ++hz) {
                const GtfTiming t = Gtf(width, lines, hz);
                if (hz > l.maxVerticalHz)
                    decider = "Hz";
                else if (t.lineRateKHz > l.maxHorizontalKHz)
                    decider = "kHz";
                else if (l.maxPixelClockMHz > 0 && t.pixelClockMHz > l.maxPixelClockMHz)
                    decider = "MHz";
                else if (hz >= l.minVerticalHz && t.lineRateKHz >= l.minHorizontalKHz)
                    expected = hz;
            }
            for (const ListedTiming& t : edid->listed) {
                const int hz = static_cast<int>(std::lround(RefreshHz(t)));
                const double khz = LineRateKHz(t), mhz = t.pixelClockKHz / 1000.0;
                if (!t.interlaced && t.width == width && t.height == lines && hz > expected && hz <= bound &&
                    hz >= l.minVerticalHz && hz <= l.maxVerticalHz && khz >= l.minHorizontalKHz &&
                    khz <= l.maxHorizontalKHz && (l.maxPixelClockMHz == 0 || mhz <= l.maxPixelClockMHz))
                    expected = hz, decider = "listed";
            }
            EXPECT_EQ(MonitorRate(row, l, edid->listed).value_or(0), expected) << file.path() << " row " << row;
            if (expected > 0)
                deciders.insert(decider);
            captions[row] = expected > 0 ? std::to_string(expected) : "N/A";
        }
        EXPECT_TRUE(RowsOutsideMonitor(captions, ListSyntax::Mask, l, edid->listed).empty()) << file.path();
    }
    EXPECT_EQ(monitors, 32);
    EXPECT_EQ(deciders, (std::set<std::string>{"Hz", "MHz", "bound", "kHz", "listed"}));
}

// A monitor with no EDID, by its device ID: the dialog names the box and the
// rule of the first mistake, keeps every box as typed and stores nothing; what
// it stores is read back into the line, the quick set and Fit to Monitor.
TEST(MonitorLimitsDialog, RefusesMistakesThenStoresAndRemoves) {
    Machine pc;
    pc.SetUpXp(4523, true);
    pc.displayDevices = ProfileDisplayDevices("MONITOR\\Default_Monitor\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000");
    frmMain form(pc.system, pc.state, pc.tester);
    ASSERT_EQ(form.Form_Load(), Outcome::Continue);
    EXPECT_EQ(form.lblMonitor, "not reported");
    ASSERT_TRUE(form.mnuMonitorLimits.enabled);
    form.Check1_Click();
    form.mnuMonitorLimits_Click();
    frmLimits& dialog = form.limits;
    EXPECT_TRUE(dialog.loaded && !form.enabled && !dialog.cmdOwnEnabled);
    EXPECT_EQ(dialog.lblName + dialog.txtHMin + dialog.txtHMax + dialog.txtVMin + dialog.txtVMax, "not reported");

    const struct {
        std::array<std::string, 4> boxes;
        const char* message;
    } mistakes[] = {
        {{"", "70", "50", "120"}, "The first Horizontal box must be a whole number of kHz from 1 to 500."},
        {{"30", "7O", "50", "120"}, "The second Horizontal box must be a whole number of kHz from 1 to 500."},
        {{"70", "30", "50", "120"}, "The second Horizontal box must not be below the first: the lowest comes first."},
        {{"30", "70", "0", "120"}, "The first Vertical box must be a whole number of Hz from 1 to 500."},
        {{"30", "70", "-50", "120"}, "The first Vertical box must be a whole number of Hz from 1 to 500."},
        {{"30", "70", "50", "501"}, "The second Vertical box must be a whole number of Hz from 1 to 500."},
        {{"30", "70", "121", "120"}, "The second Vertical box must not be below the first: the lowest comes first."},
    };
    for (const auto& m : mistakes) {
        pc.messages.shown.clear();
        dialog.txtHMin = m.boxes[0], dialog.txtHMax = m.boxes[1], dialog.txtVMin = m.boxes[2],
        dialog.txtVMax = m.boxes[3];
        dialog.cmdOK_Click();
        EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{{m.message, MsgButtons::Ok, MsgIcon::Error}}));
        EXPECT_TRUE(dialog.loaded);
        EXPECT_EQ((std::array<std::string, 4>{dialog.txtHMin, dialog.txtHMax, dialog.txtVMin, dialog.txtVMax}),
                  m.boxes);
        EXPECT_EQ(pc.registry.FindKey(kHkeyLocalMachine, kNoEdidKey), nullptr);
    }

    pc.messages.shown.clear();
    dialog.txtHMin = "30", dialog.txtHMax = "070", dialog.txtVMin = "50", dialog.txtVMax = "120";
    dialog.txtClock = "2551";
    dialog.cmdOK_Click();
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{{"The Pixel clock box must be empty or a whole number of "
                                                             "MHz from 1 to 2550.",
                                                             MsgButtons::Ok, MsgIcon::Error}}));
    EXPECT_EQ(pc.registry.FindKey(kHkeyLocalMachine, kNoEdidKey), nullptr);
    pc.messages.shown.clear();
    dialog.txtClock = "0230";
    dialog.cmdOK_Click();
    EXPECT_TRUE(pc.messages.shown.empty());
    EXPECT_TRUE(!dialog.loaded && form.enabled);
    EXPECT_EQ(pc.Get(kNoEdidKey, "Limits"), "30-70 50-120 230");
    EXPECT_EQ(form.lblMonitor, "not reported, 30-70 kHz, 50-120 Hz, 230 MHz (set by hand)");
    EXPECT_EQ(form.Text1, "70");
    EXPECT_TRUE(form.mnuFitMonitor.enabled);

    form.mnuMonitorLimits_Click();
    EXPECT_EQ(
        dialog.txtHMin + " " + dialog.txtHMax + " " + dialog.txtVMin + " " + dialog.txtVMax + " " + dialog.txtClock,
        "30 70 50 120 230");
    ASSERT_TRUE(dialog.cmdOwnEnabled);
    dialog.cmdOwn_Click();
    EXPECT_FALSE(dialog.loaded);
    EXPECT_EQ(pc.registry.FindKey(kHkeyLocalMachine, "SOFTWARE\\TSLN\\Monitors"), nullptr);
    EXPECT_EQ(form.lblMonitor, "not reported");
    EXPECT_EQ(form.Text1, "");  // not the 70 just removed
    EXPECT_FALSE(form.mnuFitMonitor.enabled);
}

// An earlier version's pair replaced, then removed, with the power cut after
// each write: the next start finds the old limits, the new ones or the
// EDID's, never a range of each.
TEST(MonitorLimitsDialog, APowerCutLeavesOneWholeSetOfLimits) {
    for (int writes = 0;; ++writes) {
        Machine pc;
        pc.SetUpXp(4523, true);
        pc.SetMonitor(SyncMaster());
        pc.Set(kSyncMasterKey, "HorizontalKHz", "31-70");
        pc.Set(kSyncMasterKey, "VerticalHz", "55-120");
        frmMain form(pc.system, pc.state, pc.tester);
        ASSERT_EQ(form.Form_Load(), Outcome::Continue);
        pc.registry.writesLeft = writes;
        form.mnuMonitorLimits_Click();
        form.limits.txtHMax = "96";
        form.limits.txtVMax = "160";
        form.limits.cmdOK_Click();
        form.mnuMonitorLimits_Click();
        form.limits.cmdOwn_Click();
        pc.registry.writesLeft = -1;

        frmMain next(pc.system, pc.state, pc.tester);
        ASSERT_EQ(next.Form_Load(), Outcome::Continue);
        const std::string line = next.lblMonitor;
        EXPECT_TRUE(line == "SyncMaster (SAM0108), 31-70 kHz, 55-120 Hz (set by hand)" ||
                    line == "SyncMaster (SAM0108), 31-96 kHz, 55-160 Hz (set by hand)" ||
                    line == "SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz, 180 MHz")
            << "cut after " << writes << " writes: " << line;
        if (!pc.registry.cut) {
            EXPECT_EQ(pc.registry.FindKey(kHkeyLocalMachine, kSyncMasterKey), nullptr);
            break;
        }
    }
}

TEST(MonitorLimitsDialog, ARefusedWriteChangesNothing) {
    Machine pc;
    pc.SetUpXp(4523, true);
    pc.SetMonitor(SyncMaster());
    SetByHand(pc, kSyncMasterKey, "30-96", "50-160");
    pc.registry.DenyWrites(kHkeyLocalMachine, kSyncMasterKey);
    frmMain form(pc.system, pc.state, pc.tester);
    ASSERT_EQ(form.Form_Load(), Outcome::Continue);
    const std::string line = form.lblMonitor;
    form.mnuMonitorLimits_Click();
    form.limits.txtHMax = "110";
    form.limits.cmdOK_Click();
    form.limits.cmdOwn_Click();
    const ShownMessage refused{"Error writing to the registry", MsgButtons::Ok, MsgIcon::Error};
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{refused, refused}));
    EXPECT_TRUE(form.limits.loaded);
    EXPECT_EQ(form.limits.txtHMax, "110");
    EXPECT_EQ(form.lblMonitor, line);
    EXPECT_EQ(pc.Get(kSyncMasterKey, "Limits"), "30-96 50-160");
}

TEST(MonitorNotReported, NoLimitsNoFitNoWarning) {
    Machine pc;
    pc.SetUpXp(4523, true);
    frmMain form(pc.system, pc.state, pc.tester);
    ASSERT_EQ(form.Form_Load(), Outcome::Continue);
    EXPECT_EQ(form.lblMonitor, "not reported");
    EXPECT_EQ(form.Text1, "");
    EXPECT_FALSE(form.mnuMonitorLimits.enabled);  // no monitor to keep limits for
    form.Check1_Click();
    EXPECT_FALSE(form.mnuFitMonitor.enabled);
}

}  // namespace
}  // namespace tsln::test
