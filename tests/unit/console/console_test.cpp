// The console front end on the three machine profiles: what it prints, what
// it writes back to the profile, and how it refuses mistakes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "console/command_line.h"
#include "console/console_app.h"
#include "platform/registry_helpers.h"
#include "profile/machine_profile.h"

namespace tsln {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class ConsoleTest : public ::testing::Test {
protected:
    fs::path dir;
    std::string out;
    std::string err;

    void TearDown() override {
        if (!dir.empty())
            fs::remove_all(dir);
    }

    // A scratch copy of a profile, so every test starts from the checked-in PC.
    void Use(const std::string& profile) {
        dir = fs::temp_directory_path() / ("tsln-console-" + profile + "-" + std::to_string(::getpid()) + "-" +
                                           ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::copy(fs::path(TSLN_PROFILES_DIR) / profile, dir, fs::copy_options::recursive);
    }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--machine", dir.string(), "--now", "2026-12-07 13:00:00"});
        StringWriter o, e;
        const int status = RunConsole(args, o, e);
        out = o.text;
        err = e.text;
        return status;
    }

    void EditRegistry(const std::string& from, const std::string& to) {
        std::string text = ReadFile(dir / "registry.reg");
        const auto at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        std::ofstream(dir / "registry.reg", std::ios::binary) << text;
    }

    // What debug.txt says the last apply wrote.
    std::string LastAddedValue() {
        const std::string log = ReadFile(dir / "program" / "debug.txt");
        const auto at = log.rfind("Added registry value: ");
        return at == std::string::npos ? "<none>" : log.substr(at + 22, log.find("\r\n", at) - at - 22);
    }

    // A value set as another program would set it, however odd its text.
    void Plant(const std::string& key, const std::string& name, const std::string& text) {
        std::string error;
        auto profile = MachineProfile::Load(dir.string(), &error);
        ASSERT_TRUE(profile) << error;
        RegSetString(profile->Registry(), kHkeyLocalMachine, key, name, text);
        ASSERT_TRUE(profile->SaveRegistry(&error)) << error;
    }

    std::string Value(const std::string& key, const std::string& name) {
        std::string error;
        auto profile = MachineProfile::Load(dir.string(), &error);
        EXPECT_TRUE(profile) << error;
        return profile ? RegGetString(profile->Registry(), kHkeyLocalMachine, key, name, "<missing>") : "";
    }
};

constexpr char kXpRangeKey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Video\\{0E5C7A13-28D4-4F96-A1B7-C3D95E2F6A80}\\0000";
constexpr char kApplyLines[] =
    "[Tessaline] Are you sure you want to apply these values to the registry? [Yes]\n"
    "[Tessaline] Values added succesfully. Please remember to REBOOT your computer for changes to take effect\n";

TEST_F(ConsoleTest, ShowPrintsTheMainWindow) {
    Use("xp-range");
    ASSERT_EQ(Run({"show"}), kExitOk) << err;
    EXPECT_EQ(out,
              "Tessaline v2.0\n"
              "OS Version:          Windows XP\n"
              "Detonator Version:   6.14.10.3082\n"
              "Device Description:  NVIDIA GeForce2 MX/MX 400\n"
              "Monitor:             not reported\n"
              "Resolution   Hz      Resolution   Hz\n"
              "320 x 200    85      1280 x 720   N/A\n"
              "320 x 240    85      1280 x 768   N/A\n"
              "400 x 300    85      1280 x 960   60\n"
              "480 x 360    85      1280 x 1024  60\n"
              "512 x 384    85      1360 x 768   N/A\n"
              "640 x 400    85      1600 x 900   N/A\n"
              "640 x 480    120     1600 x 1024  N/A\n"
              "800 x 600    100     1600 x 1200  N/A\n"
              "848 x 480    N/A     1920 x 1080  N/A\n"
              "1024 x 768   85      1920 x 1200  N/A\n"
              "1152 x 864   75      1920 x 1440  N/A\n"
              "                     2048 x 1536  N/A\n"
              "[ ] Advanced Mode\n"
              "Extras > Load on Windows Start: disabled\n"
              "Extras > TV-Out Resolutions...: enabled\n");
}

TEST_F(ConsoleTest, TheMonitorOfThePcAndFitToMonitor) {
    Use("demo");
    ASSERT_EQ(Run({"monitor", "advanced", "fit-monitor", "rates"}), kExitOk) << err;
    EXPECT_EQ(out.substr(0, out.find("listed: ")),
              "pnp-id: SAM002F\nname: SyncMaster\nversion: 1.3\nchecksum: ok\n"
              "ranges: 50-160 Hz V, 30-110 kHz H, max dotclock 290 MHz\n");
    EXPECT_EQ(out.substr(out.rfind("listed: "), out.find("320 x 200=") - out.rfind("listed: ")),
              "listed: 1280x1024 at 85 Hz (91.146 kHz, 157.500 MHz)\n"
              "limits: 30-110 kHz H, 50-160 Hz V, 290 MHz (from the EDID)\n");
    EXPECT_NE(out.find("\n640 x 480=160\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\n2048 x 1536=64\n"), std::string::npos) << out;  // 65 Hz needs 291.8 MHz
    EXPECT_EQ(Run({"fit-monitor"}), kExitFailed);
    EXPECT_EQ(err, "tessaline: fit-monitor: \"Fit to Monitor\" is disabled (switch on advanced)\n");

    // Set by hand for this CRT (PnP ID and serial), then its own again.
    constexpr char kHandKey[] = "SOFTWARE\\TSLN\\Monitors\\SAM002F#HVAY201247";
    ASSERT_EQ(Run({"monitor-limits", "30-96", "50-150", "230", "monitor"}), kExitOk) << err;
    EXPECT_EQ(out.substr(out.rfind("limits: ")), "limits: 30-96 kHz H, 50-150 Hz V, 230 MHz (set by hand)\n");
    EXPECT_EQ(Value(kHandKey, "Limits"), "30-96 50-150 230");
    ASSERT_EQ(Run({"monitor-limits", "auto", "monitor-limits", "auto", "monitor"}), kExitOk) << err;
    EXPECT_EQ(out.substr(out.rfind("limits: ")), "limits: 30-110 kHz H, 50-160 Hz V, 290 MHz (from the EDID)\n");
    EXPECT_EQ(Value(kHandKey, "Limits"), "<missing>");

    TearDown();
    Use("xp-range");
    ASSERT_EQ(Run({"monitor", "advanced"}), kExitOk) << err;
    EXPECT_EQ(out, "no EDID\nlimits: none\n");
    EXPECT_EQ(Run({"monitor-limits", "30-70", "50-120"}), kExitFailed);
    EXPECT_EQ(err, "tessaline: monitor-limits 30-70 50-120: \"Monitor Limits...\" is disabled (no monitor found)\n");
    EXPECT_EQ(Run({"advanced", "fit-monitor"}), kExitFailed);
    EXPECT_EQ(err,
              "tessaline: fit-monitor: \"Fit to Monitor\" is disabled (no limits known for the monitor: monitor-limits "
              "sets them)\n");
}

TEST_F(ConsoleTest, CompressedApplyWithTvOutAndRegistration) {
    Use("xp-range");
    ASSERT_EQ(
        Run({"advanced", "tvout", "720x480", "768x576", "rate", "1152x864", "75", "--yes", "apply", "load-on-start"}),
        kExitOk)
        << err;
    EXPECT_EQ(out, kApplyLines);
    const std::string list =
        "S 320,200,-,-75;320,240,-,-75;400,300,-,-75;480,360,-,-75;512,384,-,-75;640,400,-,-75;640,480,-,-100;"
        "800,600,-,-85;1024,768,-,-75;1152,864,-,-72;1280,768,-,-;1280,960,-,70-;1280,1024,-,70-;1600,900,-,-;"
        "1600,1024,-,-;1600,1200,-,-;1920,1080,-,-;1920,1200,-,-;1920,1440,-,-;2048,1536,-,-;A 720,480,-,60;"
        "768,576,-,60";
    EXPECT_EQ(Value(kXpRangeKey, "NV11_Modes_Delta"), list);
    EXPECT_EQ(Value("SOFTWARE\\TSLN", "ResW1") + "x" + Value("SOFTWARE\\TSLN", "ResH2"), "720x576");
    // D:\Utilities\Tessaline has no space: the Run entry stays unquoted.
    EXPECT_EQ(Value("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "TSLN"),
              "D:\\Utilities\\Tessaline\\tsln.exe /startup");
    const std::string log = ReadFile(dir / "program" / "debug.txt");
    EXPECT_EQ(log.substr(0, 24), "[2026-12-07][13:00:00]\r\n");
    EXPECT_EQ(
        log.substr(log.find("Adapter codename")),
        "Adapter codename: NV11_Modes_Delta\r\n"
        "Adapter modes: Compressed\r\n"
        "Registry path: System\\CurrentControlSet\\Control\\Video\\{0E5C7A13-28D4-4F96-A1B7-C3D95E2F6A80}\\0000\r\n"
        "DLL Used: nv4_disp.dll\r\n"
        "Program mode: Normal Mode\r\n"
        "TV Resolutions: 1.  2. \r\n"
        "Added registry value: " +
            list + "\r\n");
}

TEST_F(ConsoleTest, MaskApplyOnTheDemoMachineQuotesTheRunEntry) {
    Use("demo");
    ASSERT_EQ(Run({"advanced", "quickset", "70", "--yes", "apply", "load-on-start", "show-value"}), kExitOk) << err;
    EXPECT_EQ(out.substr(0, sizeof kApplyLines - 1), kApplyLines);
    const std::string value = out.substr(out.find("NV25_Modes_Delta=") + 17);
    EXPECT_EQ(value.substr(value.find("640x480")),
              "640x480=8088; 800x600=806C; 848x480=8088; 1024x768=8054; "
              "1152x864=804A; 1280x720=805A; 1280x768=8054; 1280x960=8043; "
              "1280x1024=803E; 1360x768=8054; 1600x900=8047; 1600x1024=803E; "
              "1600x1200=8000; 1920x1080=8000; 1920x1200=8000; 1920x1440=8000; "
              "2048x1536=8000;\n");
    EXPECT_EQ(Value("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "TSLN"),
              "\"C:\\Program Files\\Tessaline\\tsln.exe\" /startup");
}

TEST_F(ConsoleTest, QuickSetTakesTheDecimalsTheBoxTakes) {
    Use("demo");
    // 81.5 kHz: 640 x 480 at 81500 / 480 x 0.95 - 2.5 = 158.8, so 159.
    ASSERT_EQ(Run({"advanced", "quickset", "81.5", "rates", "quickset", "31,5", "rates"}), kExitOk) << err;
    EXPECT_NE(out.find("640 x 480=159\n"), std::string::npos) << out;
    EXPECT_NE(out.find("640 x 480=60\n800 x 600=N/A\n"), std::string::npos) << out;
}

TEST_F(ConsoleTest, NormalListOnWindows2000AndDefaultsRestoreIt) {
    Use("w2k-normal");
    ASSERT_EQ(Run({"--yes", "apply", "--yes", "defaults", "show-value"}), kExitOk) << err;
    const std::string value = out.substr(out.find("NV20_Modes=") + 11);
    EXPECT_EQ(value.size(), 2449u + 1);
    EXPECT_EQ(value.substr(0, 41), "8    640  480   60 70 72 75 85 100 120  0");
    EXPECT_NE(out.find("[Tessaline] Default values reset successfully\n"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / "program" / "debug.txt").find("DLL Used: nv4.dll\r\n") != std::string::npos, true);
}

// The shipped profiles carry what their start-up writes: looking at one
// leaves its file as it was, so a checkout stays clean.
TEST_F(ConsoleTest, LookingAtAShippedProfileLeavesItByteForByte) {
    for (const char* profile : {"demo", "xp-range", "w2k-normal"}) {
        Use(profile);
        ASSERT_EQ(Run({"show", "advanced", "rates", "show-value"}), kExitOk) << err;
        EXPECT_EQ(ReadFile(dir / "registry.reg"), ReadFile(fs::path(TSLN_PROFILES_DIR) / profile / "registry.reg"))
            << profile;
        TearDown();
    }
}

constexpr char kEndedAtStartup[] = "tessaline: the program ended at start-up; no action ran\n";

// Actions asked for and none run: a script must not take them as done. With
// none asked for, ending is all there was to do.
TEST_F(ConsoleTest, RefusedSystemsEndAtStart) {
    Use("demo");
    EditRegistry("\"CurrentVersion\"=\"5.1\"", "\"CurrentVersion\"=\"5.2\"");
    const std::string before = ReadFile(dir / "registry.reg");
    ASSERT_EQ(Run({"show"}), kExitEndedAtStartup);
    EXPECT_EQ(out, "[Tessaline] No compatible Operating System found\n");
    EXPECT_EQ(err, kEndedAtStartup);
    EXPECT_EQ(ReadFile(dir / "registry.reg"), before);
    EXPECT_FALSE(fs::exists(dir / "program" / "debug.txt"));
    ASSERT_EQ(Run({}), kExitOk);
    EXPECT_EQ(out, "[Tessaline] No compatible Operating System found\n(the program ended at start-up)\n");

    TearDown();
    Use("demo");
    EditRegistry("hex(7):6e,00,76,00,34,00", "hex(7):6e,00,76,00,35,00");  // "nv5_disp"
    ASSERT_EQ(Run({"show"}), kExitEndedAtStartup);
    EXPECT_EQ(out, "[Tessaline] No compatible Detonator version found\n");
    EXPECT_EQ(err, kEndedAtStartup);
    // The check looked for nv5_disp.dll, which is not there.
    EXPECT_EQ(Value("SOFTWARE\\TSLN", "LastDetVersion"), "N/A");
}

TEST_F(ConsoleTest, UnknownAdapterIsNeverWritten) {
    Use("demo");
    EditRegistry("NVIDIA GeForce4 Ti 4600", "NVIDIA GeForce FX 5950 Ultra");
    ASSERT_EQ(Run({"apply", "defaults"}), kExitFailed) << err;
    EXPECT_EQ(out.find("[Tessaline] Your graphics adapter is not in Tessaline's list of supported adapters"), 0u);
    EXPECT_EQ(ReadFile(dir / "program" / "debug.txt").find("Added registry value"), std::string::npos);
}

TEST_F(ConsoleTest, StartupRuns) {
    Use("demo");
    EditRegistry("\"LastDetVersion\"=\"6.14.10.4523\"", "\"LastDetVersion\"=\"6.14.10.3082\"");
    ASSERT_EQ(Run({"--startup", "--no", "show"}), kExitEndedAtStartup) << err;
    EXPECT_EQ(out,
              "[beep]\n"
              "[Tessaline] New Detonator drivers found, do you want to run the program and re-apply your settings? "
              "[No]\n");
    EXPECT_EQ(err, kEndedAtStartup);
    EXPECT_EQ(Value("SOFTWARE\\TSLN", "LastDetVersion"), "6.14.10.3082");

    ASSERT_EQ(Run({"--startup", "--yes"}), kExitOk) << err;
    EXPECT_NE(ReadFile(dir / "program" / "debug.txt").find("\r\nProgram mode: Startup Mode\r\n"), std::string::npos);
    EXPECT_EQ(Value("SOFTWARE\\TSLN", "LastDetVersion"), "6.14.10.4523");

    // As Windows runs it at every start.
    fs::remove(dir / "program" / "debug.txt");
    const std::string before = ReadFile(dir / "registry.reg");
    ASSERT_EQ(Run({"--startup"}), kExitOk) << err;
    EXPECT_EQ(out, "(the program ended at start-up)\n");
    EXPECT_EQ(Run({"--startup", "show"}), kExitEndedAtStartup);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, kEndedAtStartup);
    EXPECT_EQ(ReadFile(dir / "registry.reg"), before);
    EXPECT_FALSE(fs::exists(dir / "program" / "debug.txt"));
}

// The program shows every failure with the error icon: the run stops there,
// as for an action the console itself cannot do.
TEST_F(ConsoleTest, AnErrorBoxStopsTheRunWithOne) {
    Use("xp-range");
    ASSERT_EQ(Run({"--yes", "apply"}), kExitOk) << err;
    // Apply and undo log before they write: a debug.txt they cannot extend is their write error.
    fs::permissions(dir / "program" / "debug.txt", fs::perms::owner_read, fs::perm_options::replace);
    const std::string writeError = "Error writing to the registry";
    const std::string badWidth = "Width 1 must be a number of three or four digits (for example 720).";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--yes", "apply", "show-value"}, "apply: the program showed the error \"" + writeError + "\""},
        {{"--yes", "undo", "show-value"}, "undo: the program showed the error \"" + writeError + "\""},
        {{"advanced", "tvout", "72Ox480", "-", "show-value"},
         "tvout 72Ox480 -: the program showed the error \"" + badWidth + "\""},
    };
    for (const auto& [args, error] : cases) {
        EXPECT_EQ(Run(args), kExitFailed) << error;
        EXPECT_EQ(err, "tessaline: " + error + "\n");
        const std::string box = error.substr(error.find('"') + 1, error.rfind('"') - error.find('"') - 1);
        EXPECT_EQ(out.substr(out.rfind("[Tessaline] ")), "[Tessaline] " + box + "\n");
    }
}

// The file a user names is a host file here: written whole or not at all,
// and a load followed by apply writes the list of the saved rates, 85 Hz at
// 320 x 200 (above the arrows' reach) included.
TEST_F(ConsoleTest, ChoicesFilesOnTheHost) {
    Use("demo");
    for (const auto& [name, text] : {std::pair("ResW1", "720"), {"ResH1", "480"}, {"ResW2", "1024"}, {"ResH2", "7 68"}})
        Plant("SOFTWARE\\TSLN", name, text);
    const std::string file = (dir / "my choices.tsln").string();
    ASSERT_EQ(Run({"advanced", "rate", "1024x768", "100", "--yes", "--yes", "apply", "save", file}), kExitOk) << err;
    const std::string applied = LastAddedValue();
    const std::string saved = ReadFile(file);
    EXPECT_EQ(saved,
              "; Tessaline choices, saved 2026-12-07 13:00:00\r\n[Tessaline]\r\nVersion=2.0\r\n"
              "Adapter=NVIDIA GeForce4 Ti 4600\r\nMonitor=SyncMaster (SAM002F)\r\n\r\n[Rates]\r\n"
              "320x200=85\r\n320x240=85\r\n400x300=85\r\n480x360=85\r\n512x384=85\r\n640x400=85\r\n"
              "640x480=120\r\n800x600=120\r\n848x480=75\r\n1024x768=100\r\n1152x864=85\r\n1280x720=75\r\n"
              "1280x768=75\r\n1280x960=90\r\n1280x1024=85\r\n1360x768=75\r\n1600x900=75\r\n1600x1024=75\r\n"
              "1600x1200=75\r\n1920x1080=N/A\r\n1920x1200=60\r\n1920x1440=60\r\n2048x1536=60\r\n\r\n"
              "[TV-Out]\r\nResolution1=720x480\r\nResolution2=\r\n");
    fs::permissions(file, fs::perms::owner_read, fs::perm_options::replace);
    EXPECT_EQ(Run({"save", file}), kExitFailed);
    EXPECT_EQ(err, "tessaline: save " + file +
                       ": the program showed the error \"Error writing my choices.tsln. Nothing was saved.\"\n");
    EXPECT_EQ(ReadFile(file), saved);
    EXPECT_FALSE(fs::exists(file + ".tmp"));
    ASSERT_EQ(Run({"--yes", "--yes", "defaults", "load", file, "apply"}), kExitOk) << err;
    EXPECT_EQ(LastAddedValue(), applied);
}

TEST_F(ConsoleTest, HelpAndVersionAnswerOnStandardOutputAndRunNothing) {
    Use("demo");
    const std::string before = ReadFile(dir / "registry.reg");
    for (const char* ask : {"--help", "-h", "/?"}) {
        EXPECT_EQ(Run({"--yes", "apply", ask, "frobnicate"}), kExitOk) << ask;
        EXPECT_EQ(out, std::string(kConsoleUsage) + "\n");
        EXPECT_EQ(err, "");
    }
    EXPECT_EQ(Run({"--version", "apply"}), kExitOk);
    EXPECT_EQ(out, "Tessaline 2.0\n");
    EXPECT_EQ(ReadFile(dir / "registry.reg"), before);
    EXPECT_FALSE(fs::exists(dir / "program" / "debug.txt"));
}

// Text from the registry that tries to start a line of its own stays on its
// line, on the console and in debug.txt.
TEST_F(ConsoleTest, RegistryTextStaysOnItsLine) {
    Use("demo");
    ASSERT_EQ(Run({"--yes", "apply"}), kExitOk) << err;
    Plant("SOFTWARE\\TSLN\\Undo", "Saved", "2026-12-07 13:00:00\n[Tessaline] Mode list restored");
    Run({"--no", "undo"});
    EXPECT_EQ(out.find('\n'), out.size() - 1) << out;

    constexpr char kDemoKey[] =
        "SYSTEM\\CurrentControlSet\\Control\\Video\\{6B3E0D42-91A7-4C58-B2F3-7D1E8A905C64}\\0000";
    Plant(kDemoKey, "Device Description", "NVIDIA GeForce4\r\n[Tessaline] Values added\x1b[2J\x7f");
    ASSERT_EQ(Run({"show"}), kExitOk) << err;
    const std::string shown = "NVIDIA GeForce4^M^J[Tessaline] Values added^[[2J^?";
    EXPECT_NE(out.find("\nDevice Description:  " + shown + "\nMonitor: "), std::string::npos) << out;
    EXPECT_NE(ReadFile(dir / "program" / "debug.txt").find("\r\nCard Description: " + shown + "\r\nAdapter codename: "),
              std::string::npos);
}

TEST_F(ConsoleTest, MistakesExitWithTwoAndLeaveTheProfileAlone) {
    Use("demo");
    const std::string before = ReadFile(dir / "registry.reg");
    // Each line is read whole before anything runs: the apply in front of a
    // bad word must not run either.
    const std::vector<std::vector<std::string>> mistakes = {
        {"frobnicate"},
        {"--yes", "advanced", "apply", "rate", "9999x1", "60"},
        {"--yes", "apply", "rate", "4294968320x768", "70"},  // 1024 once wrapped to 32 bits
        {"--yes", "apply", "rate", "1024x768x", "85"},
        {"rate", "1024-768", "85"},
        {"rate", "1024x768"},
        {"tvout", "720x480"},
        {"tvout", "720", "-"},
        {"rate", "1024x768", "250"},  // above every selector's 240
        {"rate", "320x200", "080"},
        {"rate", "1000x700", "85"},
        {"--yes", "apply", "--now"},
        {"--yes", "apply", "monitor-limits", "30-96"},
        {"--yes", "apply", "monitor-limits", "96-30", "50-160"},
        {"monitor-limits", "30-96", "50-0160x"},
        {"monitor-limits", "auto", "50-160"},
        {"monitor-limits", "30-96", "50-160", "0"},
        {"monitor-limits", "30-96", "50-160", "2551"},
        {"--now", "2026-02-29 13:00:00", "show"},  // no leap year
        {"--now", "1900-02-29 13:00:00", "show"},  // nor is a century not divisible by 400
        {"--now", "2026-04-31 13:00:00", "show"},
        {"--now", "2026-13-01 13:00:00", "show"},
        {"--now", "2026-00-10 13:00:00", "show"},
        {"--now", "2026-12-07 24:00:00", "show"},
        {"--now", "2026-12-07 13:60:00", "show"},
        {"--now", "2026-12-07 13:00:60", "show"},
    };
    for (const auto& args : mistakes) {
        std::string joined;
        for (const auto& a : args)
            joined += a + " ";
        EXPECT_EQ(Run(args), kExitUsage) << joined;
        EXPECT_EQ(out, "") << joined;
        EXPECT_EQ(err.rfind("tessaline: ", 0), 0u) << joined << err;
        EXPECT_EQ(ReadFile(dir / "registry.reg"), before) << joined;
        EXPECT_FALSE(fs::exists(dir / "program" / "debug.txt")) << joined;
    }
    EXPECT_EQ(Run({"rate", "4294968320x768", "70"}), kExitUsage);
    EXPECT_EQ(err, "tessaline: there is no row for 4294968320x768 in \"rate 4294968320x768 70\"\n");
    EXPECT_EQ(Run({"monitor-limits", "30-96", "0-160"}), kExitUsage);
    EXPECT_EQ(
        err,
        "tessaline: malformed range \"0-160\" in \"monitor-limits 30-96 0-160\" (expected LOW-HIGH, whole numbers "
        "from 1 to 500, the lowest first)\n");
    EXPECT_EQ(Run({"monitor-limits", "30-96", "50-160", "23O"}), kExitUsage);
    EXPECT_EQ(
        err,
        "tessaline: malformed pixel clock \"23O\" in \"monitor-limits 30-96 50-160 23O\" (expected a whole number "
        "of MHz from 1 to 2550)\n");
    StringWriter o, e;
    EXPECT_EQ(RunConsole({"--machine", (dir / "missing").string(), "show"}, o, e), kExitUsage);
    EXPECT_EQ(RunConsole({"show"}, o, e), kExitUsage);
    EXPECT_EQ(RunConsole({"--machine", dir.string(), "--now", "yesterday"}, o, e), kExitUsage);
    EXPECT_EQ(Run({"--now", "2000-02-29 23:59:59", "rates"}), kExitOk) << err;
    std::ofstream(dir / "registry.reg", std::ios::binary) << "not a registry file\r\n";
    EXPECT_EQ(Run({"show"}), kExitUsage);
    EXPECT_EQ(ReadFile(dir / "registry.reg"), "not a registry file\r\n");
}

TEST_F(ConsoleTest, AFailedActionStopsTheRunAndKeepsWhatRanBefore) {
    Use("demo");
    // 100 Hz is on the ladder but above the 75 Hz bound of this row: only the
    // hertz selectors of this PC tell, and they run after the apply.
    ASSERT_EQ(Run({"advanced", "--yes", "apply", "rate", "320x200", "100", "show-value"}), kExitFailed);
    EXPECT_EQ(out, kApplyLines);
    EXPECT_EQ(err, "tessaline: rate 320x200 100: the selector of 320 x 200 cannot show \"100\" on this PC\n");
    constexpr char kDemoKey[] =
        "SYSTEM\\CurrentControlSet\\Control\\Video\\{6B3E0D42-91A7-4C58-B2F3-7D1E8A905C64}\\0000";
    EXPECT_EQ(LastAddedValue(), Value(kDemoKey, "NV25_Modes_Delta"));

    // Too few answers is still status 2, but the first apply stays saved.
    TearDown();
    Use("xp-range");
    ASSERT_EQ(Run({"--yes", "apply", "rate", "1152x864", "75", "apply"}), kExitUsage);
    EXPECT_EQ(err,
              "tessaline: apply: no --yes or --no left to answer \"Are you sure you want to apply these values to the "
              "registry?\"\n");
    EXPECT_EQ(LastAddedValue(), Value(kXpRangeKey, "NV11_Modes_Delta"));

    for (const std::vector<std::string>& args : {std::vector<std::string>{"quickset", "70"}, {"load-on-start"}}) {
        EXPECT_EQ(Run(args), kExitFailed) << args[0];
        EXPECT_EQ(err.find('\n'), err.size() - 1) << err;
    }
}

// Undo from a Safe Mode prompt: no start-up (the device map names another
// key), the record says where the value goes; a second undo redoes.
TEST_F(ConsoleTest, UndoWithoutTheStartupFollowsTheRecord) {
    Use("xp-range");
    ASSERT_EQ(Run({"--yes", "apply"}), kExitOk) << err;
    const std::string applied = Value(kXpRangeKey, "NV11_Modes_Delta");
    EditRegistry("\\\\Control\\\\Video\\\\{0E5C7A13", "\\\\Services\\\\vga\\\\Device0\\\\{0E5C7A13");
    const std::string question =
        "[Tessaline] Restore the mode list as it was before the change of 2026-12-07 13:00:00? [Yes]\n"
        "[Tessaline] Mode list restored. Please remember to REBOOT your computer for changes to take effect\n";
    ASSERT_EQ(Run({"--yes", "undo"}), kExitOk) << err;
    EXPECT_EQ(out, question);
    EXPECT_EQ(Value(kXpRangeKey, "NV11_Modes_Delta"), "<missing>");
    EXPECT_EQ(Run({"undo"}), kExitUsage);
    ASSERT_EQ(Run({"--yes", "undo"}), kExitOk) << err;
    EXPECT_EQ(Value(kXpRangeKey, "NV11_Modes_Delta"), applied);

    // Changed since by someone else: an undo that restores nothing has failed.
    EditRegistry("\"NV11_Modes_Delta\"=\"", "\"NV11_Modes_Delta\"=\"S 1x1=60;");
    EXPECT_EQ(Run({"--yes", "undo"}), kExitFailed);
    EXPECT_EQ(out, "[Tessaline] The mode list has changed since 2026-12-07 13:00:00; nothing was restored.\n");
}

// After the start-up, undo is the menu item's: only for this adapter's list.
// The adapter has moved to another key since the change; the record of the
// old key is left alone.
TEST_F(ConsoleTest, UndoAfterTheStartupIsOnlyForThisAdaptersList) {
    Use("xp-range");
    ASSERT_EQ(Run({"--yes", "apply"}), kExitOk) << err;
    ASSERT_EQ(Run({"--yes", "defaults"}), kExitOk) << err;
    const std::string defaults = Value(kXpRangeKey, "NV11_Modes_Delta");
    EditRegistry("Video\\\\{0E5C7A13", "Video\\\\{0E5C7A14");  // the device map
    EditRegistry("{0E5C7A13-28D4-4F96-A1B7-C3D95E2F6A80}\\0000]", "{0E5C7A14-28D4-4F96-A1B7-C3D95E2F6A80}\\0000]");
    ASSERT_EQ(Run({"--yes", "show-value", "undo"}), kExitOk) << err;
    EXPECT_EQ(out, "NV11_Modes_Delta=" + defaults + "\n[Tessaline] There is no change to undo.\n");
    EXPECT_EQ(Value(kXpRangeKey, "NV11_Modes_Delta"), "<missing>");
}

}  // namespace
}  // namespace tsln
