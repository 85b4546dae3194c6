// The start-up: which systems are refused, what is detected, the "/startup"
// check, and the log every full start rewrites.
#include <gtest/gtest.h>

#include <functional>

#include "fakes.h"

namespace tsln::test {
namespace {

class StartupTest : public ::testing::Test {
protected:
    Machine pc;
    std::unique_ptr<frmMain> form;

    Outcome Load(const std::string& commandLine = "") {
        pc.system.commandLine = commandLine;
        form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
        return form->Form_Load();
    }
    std::uint64_t Revision() const { return pc.registry.Revision(); }
};

TEST_F(StartupTest, UnsupportedWindowsEndsBeforeTouchingAnything) {
    for (const char* version : {"5.2", "", "4.0", "5.1 "}) {
        Machine other;
        other.SetUpXp();
        other.Set("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", version);
        const auto before = other.registry.Revision();
        frmMain f(other.system, other.state, other.tester);
        EXPECT_EQ(f.Form_Load(), Outcome::EndProgram) << version;
        ASSERT_EQ(other.messages.shown.size(), 1u);
        EXPECT_EQ(other.messages.shown[0],
                  (ShownMessage{"No compatible Operating System found", MsgButtons::Ok, MsgIcon::Error}));
        EXPECT_EQ(other.registry.Revision(), before);
        EXPECT_TRUE(other.files.files.empty());
    }
}

TEST_F(StartupTest, FullStartOnWindowsXpWithMaskDriver) {
    pc.SetUpXp(4523, true);
    pc.SetModes({{1024, 768, 32, 85}, {640, 480, 32, 60}});
    ASSERT_EQ(Load(), Outcome::Continue);

    EXPECT_EQ(form->heightTwips, 5800);
    EXPECT_EQ(form->lblOS, "Windows XP");
    EXPECT_EQ(form->lblDetVersion, "6.14.10.4523");
    EXPECT_EQ(form->lblAdapters, "NVIDIA GeForce4 Ti 4600");
    EXPECT_EQ(pc.state.DriverRegPath, kXpDriverKey);
    EXPECT_EQ(pc.state.DriverDllName, "nv4_disp");
    EXPECT_TRUE(pc.state.CompressedModeFormat);
    EXPECT_TRUE(pc.state.MaskModeFormat);
    EXPECT_EQ(pc.state.ModesValueName, "NV25_Modes_Delta");
    EXPECT_EQ(form->DefaultModeList.size(), 519u);  // mask list 4
    EXPECT_FALSE(form->mnuTVORes.enabled);
    EXPECT_FALSE(form->mnuLoad.enabled);
    EXPECT_TRUE(form->quickSetEnabled);
    EXPECT_EQ(form->defaultButton, DefaultButton::Apply);
    EXPECT_EQ(form->editor.Caption(9), "85");
    EXPECT_EQ(form->editor.Caption(6), "60");
    EXPECT_EQ(form->editor.Caption(0), "N/A");
    EXPECT_EQ(form->Label50, "Added Resolutions: None");
    EXPECT_EQ(pc.Get("SOFTWARE\\TSLN", "LastDetVersion"), "6.14.10.4523");
    EXPECT_TRUE(pc.messages.shown.empty());

    EXPECT_EQ(pc.files.files[kDebugTxt],
              "[2026-12-07][13:05:09]\r\n"
              "Windows version: 5.1\r\n"
              "Detonator version: 6.14.10.4523\r\n"
              "Card Description: NVIDIA GeForce4 Ti 4600\r\n"
              "Adapter codename: NV25_Modes_Delta\r\n"
              "Adapter modes: Compressed\r\n"
              "Registry path: System\\CurrentControlSet\\Control\\Video\\"
              "{1A2B3C4D-0000-4E5F-8A9B-0C1D2E3F4A5B}\\0000\r\n"
              "DLL Used: nv4_disp.dll\r\n"
              "Program mode: Normal Mode\r\n"
              "TV Resolutions: 1.  2. \r\n");
}

TEST_F(StartupTest, Windows2000UsesTheFixedDriverKeyAndNeverReadsTheDeviceMap) {
    pc.SetUpW2k();
    pc.Set("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", "\\Registry\\Machine\\Somewhere\\Else");
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_EQ(form->lblOS, "Windows 2000");
    EXPECT_EQ(pc.state.VideoDeviceEntry, "");
    EXPECT_EQ(pc.state.DriverRegPath, kW2kDriverKey);
    EXPECT_FALSE(pc.state.CompressedModeFormat);
    EXPECT_FALSE(pc.state.MaskModeFormat);
    EXPECT_EQ(pc.state.ModesValueName, "NV20_Modes");
    EXPECT_TRUE(form->mnuTVORes.enabled);
    EXPECT_FALSE(form->quickSetEnabled);
    const std::string& log = pc.files.files[kDebugTxt];
    EXPECT_NE(log.find("\r\nAdapter modes: Normal\r\n"), std::string::npos);
    EXPECT_NE(log.find("\r\nRegistry path: SYSTEM\\CurrentControlSet\\Services\\nv\\Device0\r\n"), std::string::npos);
}

TEST_F(StartupTest, DriverCheckFailuresRecordTheVersionAndEnd) {
    struct Case {
        const char* name;
        std::function<void(Machine&)> spoil;
    };
    const Case cases[] = {
        {"REG_SZ instead of REG_MULTI_SZ",
         [](Machine& m) { m.Set(kXpDriverKey, "InstalledDisplayDrivers", "nv4_disp"); }},
        {"two drivers",
         [](Machine& m) {
             m.SetMultiSz(kXpDriverKey, "InstalledDisplayDrivers", std::string("nv4_disp\0vga\0\0", 14));
         }},
        {"odd size",
         [](Machine& m) { m.SetMultiSz(kXpDriverKey, "InstalledDisplayDrivers", std::string("nv4_disp\0", 9)); }},
        {"one byte", [](Machine& m) { m.SetMultiSz(kXpDriverKey, "InstalledDisplayDrivers", std::string(1, 'n')); }},
        {"empty", [](Machine& m) { m.SetMultiSz(kXpDriverKey, "InstalledDisplayDrivers", ""); }},
        {"longer than the buffer",
         [](Machine& m) {
             m.SetMultiSz(kXpDriverKey, "InstalledDisplayDrivers", std::string(300, 'a') + std::string(2, '\0'));
         }},
        {"other driver",
         [](Machine& m) { m.SetMultiSz(kXpDriverKey, "InstalledDisplayDrivers", std::string("NV4_DISP\0\0", 10)); }},
        {"device map entry missing", [](Machine& m) { m.Set("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", ""); }},
        {"device map entry shorter than the kernel prefix",
         [](Machine& m) { m.Set("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", "\\Registry"); }},
        {"device map entry only the kernel prefix",
         [](Machine& m) { m.Set("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", "\\Registry\\Machine\\"); }},
    };
    for (const Case& c : cases) {
        Machine m;
        m.SetUpXp();
        // The root of HKLM must never pass for a driver key.
        m.SetMultiSz("", "InstalledDisplayDrivers", std::string("nv4_disp\0\0", 10));
        c.spoil(m);
        frmMain f(m.system, m.state, m.tester);
        EXPECT_EQ(f.Form_Load(), Outcome::EndProgram) << c.name;
        ASSERT_EQ(m.messages.shown.size(), 1u) << c.name;
        EXPECT_EQ(m.messages.shown[0],
                  (ShownMessage{"No compatible Detonator version found", MsgButtons::Ok, MsgIcon::Error}))
            << c.name;
        EXPECT_EQ(m.Get("SOFTWARE\\TSLN", "LastDetVersion"), m.state.DetonatorVersion) << c.name;
        EXPECT_TRUE(m.files.files.empty()) << c.name;
    }
}

TEST_F(StartupTest, NvFourDriverNamePasses) {
    pc.SetUpW2k();
    pc.SetMultiSz(kW2kDriverKey, "InstalledDisplayDrivers", std::string("nv4\0\0", 5));
    pc.versions.versions["C:\\WINDOWS\\system32\\nv4.dll"] = {VersionMS(5, 13), VersionMS(1, 2311)};
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_EQ(form->lblDetVersion, "5.13.1.2311");
    EXPECT_NE(pc.files.files[kDebugTxt].find("\r\nDLL Used: nv4.dll\r\n"), std::string::npos);
}

TEST_F(StartupTest, VersionFieldsAreUnsigned) {
    pc.SetUpXp();
    pc.versions.versions[kDriverFile] = {VersionMS(40000, 65535), VersionMS(32768, 4041)};
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_EQ(form->lblDetVersion, "40000.65535.32768.4041");
}

TEST_F(StartupTest, VersionDecidesBetweenMaskAndRangeSyntax) {
    struct Case {
        bool present;
        std::uint32_t build;
        bool compressed;
        bool mask;
    };
    for (const Case c : {Case{true, 4041, true, true}, Case{true, 4040, true, false}, Case{true, 9999, true, true},
                         Case{true, 4523, false, false}, Case{false, 0, true, true}, Case{false, 0, false, false},
                         Case{true, 10000, true, false} /* "0000" orders before "4041" */}) {
        Machine m;
        m.SetUpXp(c.build, c.compressed);
        if (!c.present)
            m.versions.versions.clear();
        frmMain f(m.system, m.state, m.tester);
        ASSERT_EQ(f.Form_Load(), Outcome::Continue);
        EXPECT_EQ(m.state.MaskModeFormat, c.mask) << c.build << " " << c.compressed;
        EXPECT_EQ(f.mnuTVORes.enabled, !c.mask);
        EXPECT_EQ(f.quickSetEnabled, c.mask);
        if (!c.present) {
            EXPECT_EQ(f.lblDetVersion, "N/A");
        }
    }
}

TEST_F(StartupTest, CompressionFlagNeedsADwordThatIsNotZero) {
    pc.SetUpXp(4523, false);
    pc.Set(kXpDriverKey, "UseCompressedModeFormat", "1");
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_FALSE(pc.state.CompressedModeFormat);
    EXPECT_EQ(pc.state.ModesValueName, "NV25_Modes");
}

TEST_F(StartupTest, LoadOnStartupMarkOnlyForExactlyOne) {
    for (const int value : {0, 1, 2, -1}) {
        Machine m;
        m.SetUpXp();
        m.SetDword("SOFTWARE\\TSLN", "LoadOnStartup", value);
        frmMain f(m.system, m.state, m.tester);
        ASSERT_EQ(f.Form_Load(), Outcome::Continue);
        EXPECT_EQ(f.mnuLoad.checked, value == 1) << value;
        EXPECT_FALSE(f.mnuLoad.enabled);
    }
}

TEST_F(StartupTest, UnknownAdapterStartsWithEmptyCodename) {
    pc.SetUpXp(4523, true, "NVIDIA GeForce2 MX");  // listed only for the normal syntax
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_EQ(pc.state.ModesValueName, "");
    EXPECT_EQ(form->DefaultModeList, "");
    EXPECT_NE(pc.files.files[kDebugTxt].find("\r\nAdapter codename: \r\n"), std::string::npos);
}

TEST_F(StartupTest, StartupRunWithTheSameVersionEndsSilently) {
    pc.SetUpXp();
    pc.Set("SOFTWARE\\TSLN", "LastDetVersion", "6.14.10.4523");
    const auto before = Revision();
    EXPECT_EQ(Load("/startup"), Outcome::EndProgram);
    EXPECT_EQ(pc.beeper.beeps, 0);
    EXPECT_TRUE(pc.messages.shown.empty());
    EXPECT_EQ(Revision(), before);
    EXPECT_EQ(pc.files.writes, 0);
}

TEST_F(StartupTest, StartupRunWithoutAnyVersionResourceEndsSilentlyWhenNAWasRecorded) {
    pc.SetUpXp();
    pc.versions.versions.clear();
    pc.Set("SOFTWARE\\TSLN", "LastDetVersion", "N/A");
    EXPECT_EQ(Load("/startup"), Outcome::EndProgram);
    EXPECT_TRUE(pc.messages.shown.empty());
}

TEST_F(StartupTest, StartupRunAfterADriverUpdateAsks) {
    const ShownMessage question{
        "New Detonator drivers found, do you want to run the program and re-apply your settings?", MsgButtons::YesNo,
        MsgIcon::None};
    {
        Machine m;
        m.SetUpXp();
        m.Set("SOFTWARE\\TSLN", "LastDetVersion", "6.14.10.4403");
        m.messages.answers = {MsgAnswer::No};
        m.system.commandLine = "/startup";
        frmMain f(m.system, m.state, m.tester);
        EXPECT_EQ(f.Form_Load(), Outcome::EndProgram);
        EXPECT_EQ(m.beeper.beeps, 1);
        ASSERT_EQ(m.messages.shown.size(), 1u);
        EXPECT_EQ(m.messages.shown[0], question);
        EXPECT_EQ(m.Get("SOFTWARE\\TSLN", "LastDetVersion"), "6.14.10.4403");
        EXPECT_EQ(m.files.writes, 0);
    }
    {
        Machine m;
        m.SetUpXp();  // nothing recorded yet: the first run after installing asks too
        m.messages.answers = {MsgAnswer::Yes};
        m.system.commandLine = "/startup";
        frmMain f(m.system, m.state, m.tester);
        EXPECT_EQ(f.Form_Load(), Outcome::Continue);
        EXPECT_EQ(m.beeper.beeps, 1);
        EXPECT_EQ(m.Get("SOFTWARE\\TSLN", "LastDetVersion"), "6.14.10.4523");
        EXPECT_NE(m.files.files[kDebugTxt].find("\r\nProgram mode: Startup Mode\r\n"), std::string::npos);
    }
}

TEST_F(StartupTest, OnlyTheExactStartupArgumentCounts) {
    for (const char* line : {"/STARTUP", "/startup ", "/startup /x", " /startup", ""}) {
        Machine m;
        m.SetUpXp();
        m.Set("SOFTWARE\\TSLN", "LastDetVersion", "6.14.10.4523");
        m.system.commandLine = line;
        frmMain f(m.system, m.state, m.tester);
        EXPECT_EQ(f.Form_Load(), Outcome::Continue) << line;
        EXPECT_NE(m.files.files[kDebugTxt].find("\r\nProgram mode: Normal Mode\r\n"), std::string::npos) << line;
    }
}

TEST_F(StartupTest, UnwritableLogDoesNotStopTheStart) {
    pc.SetUpXp();
    pc.files.readOnly = {kDebugTxt};
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_EQ(pc.state.ModesValueName, "NV25_Modes_Delta");
    EXPECT_EQ(pc.Get("SOFTWARE\\TSLN", "LastDetVersion"), "6.14.10.4523");
    EXPECT_TRUE(pc.messages.shown.empty());
}

TEST_F(StartupTest, SecondStartReplacesTheLog) {
    pc.SetUpXp();
    pc.files.files[kDebugTxt] = "old line\r\nAdded registry value: S ...\r\n";
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_EQ(pc.files.files[kDebugTxt].rfind("[2026-12-07][13:05:09]\r\n", 0), 0u);
    EXPECT_EQ(pc.files.files[kDebugTxt].find("old line"), std::string::npos);
}

TEST_F(StartupTest, TvOutValuesAtStart) {
    pc.SetUpXp(3082, true, "NVIDIA GeForce2 MX/MX 400");
    pc.Set("SOFTWARE\\TSLN", "ResW1", "720");
    pc.Set("SOFTWARE\\TSLN", "ResH1", "480");
    ASSERT_EQ(Load(), Outcome::Continue);
    EXPECT_EQ(form->Label50, "Added Resolutions: 720x480");
    EXPECT_EQ(pc.state.TvOut.compressed, ";A 720,480,-,60;");
    const std::string& log = pc.files.files[kDebugTxt];
    EXPECT_EQ(log.substr(log.rfind("TV Resolutions")), "TV Resolutions: 1.  720x 480 2. \r\n");
}

TEST_F(StartupTest, StoredTvOutValuesThatCannotBeRowsAreIgnored) {
    struct Case {
        const char* w1;
        const char* h1;
        const char* label;
        const char* segment;
    };
    for (const Case c :
         {Case{"0", "480", "Added Resolutions: ; 768x576", ";A 768,576,-,60;"},
          Case{"72O", "480", "Added Resolutions: ; 768x576", ";A 768,576,-,60;"},
          Case{"12345", "480", "Added Resolutions: ; 768x576", ";A 768,576,-,60;"},
          Case{" 720", "480", "Added Resolutions: ; 768x576", ";A 768,576,-,60;"},
          Case{"0720", "480", "Added Resolutions: ; 768x576", ";A 768,576,-,60;"},
          Case{"720", "000", "Added Resolutions: ; 768x576", ";A 768,576,-,60;"},
          Case{"1024", "768", "Added Resolutions: 1024x768; 768x576", ";A 1024,768,-,60;768,576,-,60;"}}) {
        Machine m;
        m.SetUpXp(3082, true, "NVIDIA GeForce2 MX/MX 400");
        m.Set("SOFTWARE\\TSLN", "ResW1", c.w1);
        m.Set("SOFTWARE\\TSLN", "ResH1", c.h1);
        m.Set("SOFTWARE\\TSLN", "ResW2", "768");
        m.Set("SOFTWARE\\TSLN", "ResH2", "576");
        frmMain f(m.system, m.state, m.tester);
        ASSERT_EQ(f.Form_Load(), Outcome::Continue);
        EXPECT_EQ(f.Label50, c.label) << c.w1;
        EXPECT_EQ(m.state.TvOut.compressed, c.segment) << c.w1;
    }
}

}  // namespace
}  // namespace tsln::test
