// The menus and the three small windows: Windows-start registration, help,
// About, the TV-Out dialog and the VSync tester dialog.
#include <gtest/gtest.h>

#include "fakes.h"

namespace tsln::test {
namespace {

constexpr char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

class WindowsTest : public ::testing::Test {
protected:
    Machine pc;
    std::unique_ptr<frmMain> form;

    void Start(bool mask = false) {
        pc.SetUpXp(mask ? 4523 : 3082, true, "NVIDIA GeForce2 MX/MX 400");
        pc.SetModes({{640, 480, 32, 75}, {1024, 768, 32, 85}});
        form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
        ASSERT_EQ(form->Form_Load(), Outcome::Continue);
        pc.messages.shown.clear();
    }
};

TEST_F(WindowsTest, LoadOnWindowsStartOnAndOffLeavesNothingBehind) {
    pc.system.programFolder = "C:\\Tools\\Tessaline";
    Start();
    form->Check1_Click();
    form->mnuLoad_Click();
    EXPECT_TRUE(form->mnuLoad.checked);
    EXPECT_EQ(pc.Get(kRunKey, "TSLN"), "C:\\Tools\\Tessaline\\tsln.exe /startup");
    EXPECT_EQ(RegGetDword(pc.registry, kHkeyLocalMachine, "SOFTWARE\\TSLN", "LoadOnStartup", 0), 1);
    form->mnuLoad_Click();
    EXPECT_FALSE(form->mnuLoad.checked);
    EXPECT_EQ(pc.Get(kRunKey, "TSLN"), "<missing>");
    EXPECT_EQ(RegGetDword(pc.registry, kHkeyLocalMachine, "SOFTWARE\\TSLN", "LoadOnStartup", 7), 7);
    EXPECT_NE(pc.registry.FindKey(kHkeyLocalMachine, "SOFTWARE\\TSLN"), nullptr);
    EXPECT_TRUE(pc.messages.shown.empty());
}

TEST_F(WindowsTest, RunEntryQuotesAPathWithSpaces) {
    Start();  // C:\Program Files\Tessaline
    form->Check1_Click();
    form->mnuLoad_Click();
    EXPECT_EQ(pc.Get(kRunKey, "TSLN"), "\"C:\\Program Files\\Tessaline\\tsln.exe\" /startup");
}

TEST_F(WindowsTest, MarkShowsWhatTheRegistryHolds) {
    Start();
    form->Check1_Click();
    pc.registry.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\TSLN");
    form->mnuLoad_Click();
    EXPECT_FALSE(form->mnuLoad.checked);

    Machine other;  // "LoadOnStartup" set, Run entry removed by another tool
    other.SetUpXp();
    other.SetDword("SOFTWARE\\TSLN", "LoadOnStartup", 1);
    frmMain f(other.system, other.state, other.tester);
    ASSERT_EQ(f.Form_Load(), Outcome::Continue);
    f.Check1_Click();
    EXPECT_TRUE(f.mnuLoad.checked);
    f.mnuLoad_Click();
    EXPECT_FALSE(f.mnuLoad.checked);
    EXPECT_EQ(RegGetDword(other.registry, kHkeyLocalMachine, "SOFTWARE\\TSLN", "LoadOnStartup", 7), 7);
}

// A refused step leaves the mark, "LoadOnStartup" and the Run entry as they
// were, and says so; Windows must never start a program whose menu says no.
TEST_F(WindowsTest, RefusedLoadOnStartWritesLeaveBothValuesAsTheyWere) {
    const ShownMessage writeError{"Error writing to the registry", MsgButtons::Ok, MsgIcon::Error};
    struct Case {
        std::int32_t flag;  // "LoadOnStartup" before the click: 1 switches off, 2 switches on
        const char* run;    // the Run entry before the click
        const char* locked;
    };
    for (const Case c :
         {Case{2, "C:\\Old\\tsln.exe /startup", "SOFTWARE\\TSLN"}, Case{2, "<missing>", kRunKey},
          Case{1, "C:\\Old\\tsln.exe /startup", "SOFTWARE\\TSLN"}, Case{1, "C:\\Old\\tsln.exe /startup", kRunKey}}) {
        Machine m;
        m.SetUpXp();
        m.SetDword("SOFTWARE\\TSLN", "LoadOnStartup", c.flag);
        if (c.run != std::string("<missing>"))
            m.Set(kRunKey, "TSLN", c.run);
        m.registry.DenyWrites(kHkeyLocalMachine, c.locked);
        frmMain f(m.system, m.state, m.tester);
        ASSERT_EQ(f.Form_Load(), Outcome::Continue);
        f.Check1_Click();
        f.mnuLoad_Click();
        EXPECT_EQ(m.messages.shown, std::vector<ShownMessage>{writeError}) << c.flag << c.locked;
        EXPECT_EQ(f.mnuLoad.checked, c.flag == 1) << c.flag << c.locked;
        EXPECT_EQ(RegGetDword(m.registry, kHkeyLocalMachine, "SOFTWARE\\TSLN", "LoadOnStartup", 7), c.flag);
        EXPECT_EQ(m.Get(kRunKey, "TSLN"), c.run) << c.flag << c.locked;
    }
}

TEST_F(WindowsTest, HelpTopics) {
    Start();
    form->mnuTopics_Click();
    EXPECT_TRUE(pc.shell.helpOpened.empty());
    EXPECT_EQ(pc.messages.shown,
              (std::vector<ShownMessage>{{"Help file (tslnhelp.chm) not found", MsgButtons::Ok, MsgIcon::Error}}));
    pc.messages.shown.clear();
    pc.shell.files = {"C:\\Program Files\\Tessaline\\tslnhelp.chm"};
    form->mnuTopics_Click();
    EXPECT_EQ(pc.shell.helpOpened, std::vector<std::string>{"C:\\Program Files\\Tessaline\\tslnhelp.chm"});
    EXPECT_TRUE(pc.messages.shown.empty());
}

TEST_F(WindowsTest, WebLinkOpensTheProjectPage) {
    Start();
    form->Label49_Click();
    ASSERT_EQ(pc.shell.executed.size(), 1u);
    EXPECT_EQ(pc.shell.executed[0].first.rfind("http", 0), 0u);
    EXPECT_EQ(pc.shell.executed[0].second, "C:\\");
}

TEST_F(WindowsTest, AboutLocksTheMainWindowUntilClosed) {
    Start();
    form->mnuAbout_Click();
    EXPECT_TRUE(form->about.loaded);
    EXPECT_FALSE(form->enabled);
    form->about.Command1_Click();
    EXPECT_FALSE(form->about.loaded);
    EXPECT_TRUE(form->enabled);
    EXPECT_EQ(form->mnuExit_Click(), Outcome::EndProgram);
}

class TvOutDialogTest : public WindowsTest {
protected:
    frmTVORes& Open() {
        form->mnuTVORes_Click();
        EXPECT_FALSE(form->enabled);
        return form->tvores;
    }
    std::string Stored(const char* name) { return pc.Get("SOFTWARE\\TSLN", name); }
};

TEST_F(TvOutDialogTest, DefaultsStoredAndTextsRebuiltWithoutAccumulating) {
    Start();
    auto& dialog = Open();
    EXPECT_EQ(dialog.txtW1, "");
    dialog.Command3_Click();
    dialog.cmdDone_Click();
    EXPECT_FALSE(dialog.loaded);
    EXPECT_TRUE(form->enabled);
    EXPECT_EQ(Stored("ResW1") + Stored("ResH1") + Stored("ResW2") + Stored("ResH2"), "720480768576");
    EXPECT_EQ(pc.state.TvOut.compressed, ";A 720,480,-,60;768,576,-,60");
    const std::string sixteen =
        "  0  16   720  480   60" + std::string(20, ' ') + "  0  16   768  576   60" + std::string(20, ' ');
    EXPECT_EQ(pc.state.TvOut.modes16, sixteen);
    EXPECT_EQ(form->Label50, "Added Resolutions: 720x480; 768x576");

    Open();
    EXPECT_EQ(dialog.txtW2, "768");
    dialog.cmdDone_Click();
    EXPECT_EQ(pc.state.TvOut.modes16, sixteen);
    EXPECT_EQ(pc.state.TvOut.compressed, ";A 720,480,-,60;768,576,-,60");
    // The log shows what the start read, not what OK stored.
    EXPECT_EQ(pc.state.TvOutWidth1, "");
}

TEST_F(TvOutDialogTest, EmptyOrZeroClearsAnEntry) {
    Start();
    auto& dialog = Open();
    dialog.Command3_Click();
    dialog.txtH1 = "0";
    dialog.cmdDone_Click();
    EXPECT_EQ(Stored("ResW1"), "");
    EXPECT_EQ(Stored("ResH1"), "");
    EXPECT_EQ(pc.state.TvOut.compressed, ";A 768,576,-,60");
    EXPECT_EQ(form->Label50, "Added Resolutions: ; 768x576");

    Open();
    dialog.Command2_Click();
    dialog.cmdDone_Click();
    EXPECT_EQ(pc.state.TvOut.compressed, "");
    EXPECT_EQ(pc.state.TvOut.modes8, "");
    EXPECT_EQ(form->Label50, "Added Resolutions: None");
    EXPECT_EQ(Stored("ResW2"), "");  // written empty, not deleted
}

TEST_F(TvOutDialogTest, InputThatCannotBeARowIsRefusedAndNothingStored) {
    Start();
    struct Case {
        const char* w1;
        const char* h1;
        const char* w2;
        const char* h2;
        const char* box;
    };
    for (const Case c : {Case{"12", "480", "", "", "Width 1"}, Case{"720", "00", "", "", "Height 1"},
                         Case{"72O", "480", "", "", "Width 1"}, Case{" 720", "480", "", "", "Width 1"},
                         Case{"720", "480", "76800", "576", "Width 2"}, Case{"720", "480", "768", "-576", "Height 2"},
                         Case{"0720", "480", "", "", "Width 1"}, Case{"720", "000", "", "", "Height 1"}}) {
        auto& dialog = Open();
        const auto before = pc.registry.Revision();
        dialog.txtW1 = c.w1;
        dialog.txtH1 = c.h1;
        dialog.txtW2 = c.w2;
        dialog.txtH2 = c.h2;
        dialog.cmdDone_Click();
        EXPECT_TRUE(dialog.loaded) << c.box;
        EXPECT_FALSE(form->enabled);
        EXPECT_EQ(pc.registry.Revision(), before);
        ASSERT_EQ(pc.messages.shown.size(), 1u);
        EXPECT_EQ(pc.messages.shown[0].text.rfind(c.box, 0), 0u) << pc.messages.shown[0].text;
        EXPECT_EQ(pc.messages.shown[0].icon, MsgIcon::Error);
        pc.messages.shown.clear();
        dialog.Form_Close();
        EXPECT_FALSE(dialog.loaded);
        EXPECT_TRUE(form->enabled);
    }
    EXPECT_EQ(form->Label50, "Added Resolutions: None");
}

TEST_F(TvOutDialogTest, StoredValuesNoListCanHoldOpenAsEmptyBoxes) {
    pc.Set("SOFTWARE\\TSLN", "ResW1", "0720");
    pc.Set("SOFTWARE\\TSLN", "ResH1", "480");
    pc.Set("SOFTWARE\\TSLN", "ResW2", "768");
    pc.Set("SOFTWARE\\TSLN", "ResH2", "576");
    Start();
    auto& dialog = Open();
    EXPECT_EQ(dialog.txtW1 + "|" + dialog.txtH1 + "|" + dialog.txtW2 + "|" + dialog.txtH2, "||768|576");
    dialog.cmdDone_Click();
    EXPECT_TRUE(pc.messages.shown.empty());
    EXPECT_EQ(Stored("ResW1"), "");
    EXPECT_EQ(form->Label50, "Added Resolutions: ; 768x576");
}

// Refused at the first write or a later one: the values, the lists, the label
// and the dialog stay as they were, and OK can be pressed again.
TEST_F(TvOutDialogTest, ARefusedStoreChangesNothing) {
    Start();
    auto& dialog = Open();
    dialog.Command3_Click();
    dialog.cmdDone_Click();
    const std::string lists = pc.state.TvOut.compressed + pc.state.TvOut.modes8;
    Open();
    dialog.txtW1 = "800";
    dialog.Command2_Click();
    for (const char* refused : {"TvOutPending", "ResH2"}) {
        pc.registry.refused = refused;
        dialog.cmdDone_Click();
        EXPECT_TRUE(dialog.loaded);
        EXPECT_EQ(dialog.txtW1 + dialog.txtH1 + dialog.txtW2, "800480");
        EXPECT_EQ(Stored("ResW1") + Stored("ResH1") + Stored("ResW2") + Stored("ResH2") + Stored("TvOutPending"),
                  "720480768576<missing>");
        EXPECT_EQ(pc.state.TvOut.compressed + pc.state.TvOut.modes8, lists);
        EXPECT_EQ(form->Label50, "Added Resolutions: 720x480; 768x576");
    }
    EXPECT_EQ(pc.messages.shown,
              std::vector<ShownMessage>(2, {"Error writing to the registry", MsgButtons::Ok, MsgIcon::Error}));
    pc.registry.refused.clear();
    dialog.cmdDone_Click();
    EXPECT_EQ(Stored("ResW1") + Stored("ResH1") + "|" + Stored("ResW2") + Stored("ResH2"), "800480|");
    EXPECT_EQ(form->Label50, "Added Resolutions: 800x480");
}

// A power cut after any write of OK: the next start finds the old pair or the
// new one whole, never 720x600 from 800x600 over 720x480.
TEST_F(TvOutDialogTest, APowerCutAfterAnyWriteLeavesTheOldOrTheNewPairWhole) {
    for (int writes = 0;; ++writes) {
        SCOPED_TRACE("cut after " + std::to_string(writes) + " writes");
        Machine m;
        m.SetUpXp(3082, true, "NVIDIA GeForce2 MX/MX 400");
        m.Set("SOFTWARE\\TSLN", "ResW1", "800");
        m.Set("SOFTWARE\\TSLN", "ResH1", "600");
        frmMain window(m.system, m.state, m.tester);
        ASSERT_EQ(window.Form_Load(), Outcome::Continue);
        window.mnuTVORes_Click();
        window.tvores.Command3_Click();
        m.registry.writesLeft = writes;
        window.tvores.cmdDone_Click();
        m.registry.writesLeft = -1;
        if (writes == 1) {
            EXPECT_EQ(m.Get("SOFTWARE\\TSLN", "TvOutPending"), "720,480,768,576");
        }
        ProgramState fresh;
        frmMain next(m.system, fresh, m.tester);
        ASSERT_EQ(next.Form_Load(), Outcome::Continue);
        EXPECT_EQ(fresh.TvOut.compressed + m.Get("SOFTWARE\\TSLN", "TvOutPending"),
                  std::string(writes == 0 ? ";A 800,600,-,60;" : ";A 720,480,-,60;768,576,-,60;") + "<missing>");
        if (!m.registry.cut)
            break;
    }
    pc.Set("SOFTWARE\\TSLN", "TvOutPending", "720,48O,,");  // no pair: dropped
    Start();
    EXPECT_EQ(Stored("TvOutPending"), "<missing>");
}

class TesterDialogTest : public WindowsTest {};

TEST_F(TesterDialogTest, ListsTheSizesWithARateAndChecksTheChoice) {
    Start();
    form->mnuD3DTest_Click();
    auto& dialog = form->d3d;
    EXPECT_FALSE(form->enabled);
    EXPECT_EQ(dialog.cmbResItems, (std::vector<std::string>{"640 x 480", "1024 x 768"}));
    EXPECT_EQ(dialog.cmbBitRatesItems, (std::vector<std::string>{"16 bit", "32 bit"}));
    EXPECT_TRUE(dialog.optOn);
    EXPECT_FALSE(dialog.optOff);

    const ShownMessage invalid{"Please select a valid resolution from the list.", MsgButtons::Ok, MsgIcon::Error};
    for (const auto& choice : std::vector<std::pair<std::string, std::string>>{
             {"Resolution", "Bit Rate"}, {"640 x 480", "Bit Rate"}, {"640x480", "32 bit"}, {"848 x 480", "32 bit"}}) {
        dialog.cmbRes = choice.first;
        dialog.cmbBitRates = choice.second;
        dialog.cmdGo_Click();
        EXPECT_EQ(pc.messages.shown.back(), invalid) << choice.first;
    }
    EXPECT_TRUE(pc.tester.runs.empty());

    dialog.cmbRes = "2048 x 1536";  // not listed, but may be typed
    dialog.cmbBitRates = "16 bit";
    dialog.optOn = false;
    dialog.optOff = true;
    dialog.cmdGo_Click();
    ASSERT_EQ(pc.tester.runs.size(), 1u);
    const VsyncTestParams& run = pc.tester.runs[0];
    EXPECT_EQ(run.width, 2048);
    EXPECT_EQ(run.height, 1536);
    EXPECT_EQ(run.backBufferFormat, 23);
    EXPECT_EQ(run.bitDepth, 16);
    EXPECT_FALSE(run.vsyncOn);

    pc.tester.failure = "Direct3D 8 is not installed";
    dialog.cmbBitRates = "32 bit";
    pc.messages.shown.clear();
    dialog.cmdGo_Click();
    EXPECT_EQ(pc.tester.runs.back().backBufferFormat, 22);
    EXPECT_EQ(pc.messages.shown,
              (std::vector<ShownMessage>{{"Direct3D 8 is not installed", MsgButtons::Ok, MsgIcon::Error}}));
    EXPECT_TRUE(dialog.loaded);
    EXPECT_FALSE(form->enabled);

    dialog.Form_Close();
    EXPECT_TRUE(form->enabled);
    EXPECT_EQ(dialog.test.width, 2048);  // kept for the rest of the run
    form->mnuD3DTest_Click();
    EXPECT_EQ(dialog.cmbRes, "Resolution");
    EXPECT_EQ(dialog.cmbResItems.size(), 2u);
}

}  // namespace
}  // namespace tsln::test
