// Machine profiles: the display-mode list, Windows paths mapped onto the
// profile's folders, the portable file and shell backends, loading the
// shipped profiles, saving the registry back, and the load errors.
#include "profile/machine_profile.h"

#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "profile/display_mode_list.h"
#include "profile/host_files.h"
#include "profile/windows_path_map.h"

namespace tsln {
namespace {

namespace fs = std::filesystem;

const fs::path kProfiles = TSLN_PROFILES_DIR;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// A fresh folder per test, removed afterwards.
class TempFolder {
public:
    TempFolder() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = fs::path(::testing::TempDir()) /
                (std::string("tsln_profile_") + test->test_suite_name() + "_" + test->name());
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        // Read-only files inside must not keep the folder alive.
        for (auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

// A copy of a shipped profile that a test may change.
fs::path CopyProfile(const std::string& name, const TempFolder& temp) {
    const fs::path copy = temp.Path() / name;
    fs::copy(kProfiles / name, copy, fs::copy_options::recursive);
    return copy;
}

std::unique_ptr<MachineProfile> LoadOrFail(const fs::path& folder) {
    std::string error;
    std::unique_ptr<MachineProfile> profile = MachineProfile::Load(folder.string(), &error);
    EXPECT_TRUE(profile) << error;
    return profile;
}

struct RegValue {
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

std::optional<RegValue> QueryValue(MemoryRegistry& registry, const std::string& key, const std::string& name) {
    RegHandle handle = 0;
    if (registry.OpenKeyEx(kHkeyLocalMachine, key.c_str(), 0, kKeyRead, &handle) != kErrorSuccess) {
        return std::nullopt;
    }
    RegValue value;
    std::uint32_t size = 0;
    long result = registry.QueryValueEx(handle, name.c_str(), &value.type, nullptr, &size);
    if (result == kErrorSuccess) {
        value.data.resize(size);
        result = registry.QueryValueEx(handle, name.c_str(), &value.type, value.data.data(), &size);
    }
    registry.CloseKey(handle);
    if (result != kErrorSuccess)
        return std::nullopt;
    return value;
}

std::string StringValue(MemoryRegistry& registry, const std::string& key, const std::string& name) {
    const std::optional<RegValue> value = QueryValue(registry, key, name);
    if (!value || value->type != kRegSz)
        return "<missing>";
    std::string text(value->data.begin(), value->data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::string SystemDirOf(MachineProfile& profile) {
    char buffer[260] = {};
    const std::uint32_t length = profile.Shell().GetSystemDirectory(buffer, sizeof(buffer));
    return std::string(buffer, length);
}

// The driver file version as start-up reads it: size, block, fixed block.
std::string DriverVersion(MachineProfile& profile, const std::string& windowsPath) {
    FileVersionApi& api = profile.FileVersion();
    const std::uint32_t size = api.GetFileVersionInfoSize(windowsPath);
    if (size == 0)
        return "N/A";
    std::vector<std::uint8_t> block(size);
    FixedFileInfo info{};
    if (!api.GetFileVersionInfo(windowsPath, size, block.data()) ||
        !api.QueryFixedFileInfo(block.data(), size, &info)) {
        return "N/A";
    }
    return std::to_string(info.fileVersionMS >> 16) + "." + std::to_string(info.fileVersionMS & 0xFFFF) + "." +
           std::to_string(info.fileVersionLS >> 16) + "." + std::to_string(info.fileVersionLS & 0xFFFF);
}

std::vector<DisplayMode> AllModes(DisplayModeApi& api) {
    std::vector<DisplayMode> modes;
    DisplayMode mode;
    for (std::uint32_t i = 0; api.EnumDisplaySettings(i, &mode); ++i)
        modes.push_back(mode);
    return modes;
}

bool SameMode(const DisplayMode& mode, std::uint32_t w, std::uint32_t h, std::uint32_t bpp, std::uint32_t hz) {
    return mode.width == w && mode.height == h && mode.bitsPerPel == bpp && mode.frequency == hz;
}

// ---- display-modes.txt -----------------------------------------------------

TEST(DisplayModesFile, ReadsModesInOrderSkippingCommentsAndBlanks) {
    const std::string text =
        "# a comment\r\n"
        "\r\n"
        "640 480 8 60\r\n"
        "   \t  \n"
        "800\t600  16   85   # trailing comment\n"
        "4294967295 0 32 0\n"
        "1024 768 32 1";  // no line end at the end
    std::vector<DisplayMode> modes;
    std::string error;
    ASSERT_TRUE(ParseDisplayModes(text, &modes, &error)) << error;
    ASSERT_EQ(modes.size(), 4u);
    EXPECT_TRUE(SameMode(modes[0], 640, 480, 8, 60));
    EXPECT_TRUE(SameMode(modes[1], 800, 600, 16, 85));
    EXPECT_TRUE(SameMode(modes[2], 4294967295u, 0, 32, 0));
    EXPECT_TRUE(SameMode(modes[3], 1024, 768, 32, 1));

    EXPECT_TRUE(ParseDisplayModes("", &modes, &error));
    EXPECT_TRUE(modes.empty());
}

TEST(DisplayModesFile, MalformedLineIsAnErrorWithItsNumber) {
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"640 480 8", "line 3: expected four numbers \"width height bpp hz\", found 3"},
        {"640 480 8 60 75", "line 3: expected four numbers \"width height bpp hz\", found 5"},
        {"640 480 8 sixty", "line 3: \"sixty\" is not a whole number from 0 to 4294967295"},
        {"640 480 8 -60", "line 3: \"-60\" is not a whole number from 0 to 4294967295"},
        {"640 480 8 +60", "line 3: \"+60\" is not a whole number from 0 to 4294967295"},
        {"640 480 8 0x3C", "line 3: \"0x3C\" is not a whole number from 0 to 4294967295"},
        {"640 480 8 60.0", "line 3: \"60.0\" is not a whole number from 0 to 4294967295"},
        {"640x480 8 60 1", "line 3: \"640x480\" is not a whole number from 0 to 4294967295"},
        {"4294967296 480 8 60", "line 3: \"4294967296\" is not a whole number from 0 to 4294967295"},
        {"99999999999 480 8 60", "line 3: \"99999999999\" is not a whole number from 0 to 4294967295"},
    };
    for (const Case& c : cases) {
        std::vector<DisplayMode> modes = {DisplayMode{1, 2, 3, 4}};
        std::string error;
        EXPECT_FALSE(
            ParseDisplayModes(std::string("# modes\n320 200 8 70\n") + c.line + "\n800 600 8 60\n", &modes, &error))
            << c.line;
        EXPECT_EQ(error, c.expected);
        // Nothing half-read comes back.
        ASSERT_EQ(modes.size(), 1u);
        EXPECT_EQ(modes[0].width, 1u);
    }
}

TEST(DisplayModesFile, EnumerationStopsAfterTheLastMode) {
    ModeListDisplayModes api({DisplayMode{640, 480, 8, 60}, DisplayMode{800, 600, 32, 75}});
    DisplayMode mode;
    ASSERT_TRUE(api.EnumDisplaySettings(1, &mode));
    EXPECT_TRUE(SameMode(mode, 800, 600, 32, 75));
    EXPECT_FALSE(api.EnumDisplaySettings(2, &mode));
    EXPECT_FALSE(api.EnumDisplaySettings(0xFFFFFFFFu, &mode));
    EXPECT_TRUE(AllModes(*std::make_unique<ModeListDisplayModes>(std::vector<DisplayMode>{})).empty());
}

// ---- Windows paths -------------------------------------------------------

class PathMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = temp.Path() / "program";
        system = temp.Path() / "system32";
        fs::create_directories(program);
        fs::create_directories(system);
        map.Add("C:\\Program Files\\Tessaline", program.string());
        map.Add("C:\\WINDOWS\\system32", system.string());
    }
    std::string Host(const std::string& windowsPath) { return map.ToHost(windowsPath).value_or("<none>"); }

    TempFolder temp;
    fs::path program;
    fs::path system;
    WindowsPathMap map;
};

TEST_F(PathMapTest, MapsFilesUnderEitherFolderWhateverTheCaseAndSeparators) {
    EXPECT_EQ(Host("C:\\Program Files\\Tessaline\\debug.txt"), (program / "debug.txt").string());
    EXPECT_EQ(Host("c:\\PROGRAM FILES\\tessaline\\debug.txt"), (program / "debug.txt").string());
    EXPECT_EQ(Host("C:/Program Files/Tessaline/debug.txt"), (program / "debug.txt").string());
    EXPECT_EQ(Host("C:\\WINDOWS\\system32\\\\nv4_disp.dll"), (system / "nv4_disp.dll").string());
    EXPECT_EQ(Host("C:\\WINDOWS\\.\\system32\\nv4_disp.dll"), (system / "nv4_disp.dll").string());
    EXPECT_EQ(Host("C:\\WINDOWS\\Temp\\..\\system32\\nv4_disp.dll"), (system / "nv4_disp.dll").string());
    EXPECT_EQ(Host("C:\\WINDOWS\\system32"), system.string());
    EXPECT_EQ(Host("C:\\WINDOWS\\system32\\"), system.string());
}

TEST_F(PathMapTest, FindsExistingHostNamesWithoutRegardToCase) {
    WriteText(system / "NV4_Disp.DLL", "x");
    fs::create_directories(program / "Help");
    EXPECT_EQ(Host("C:\\WINDOWS\\SYSTEM32\\nv4_disp.dll"), (system / "NV4_Disp.DLL").string());
    EXPECT_EQ(Host("C:\\Program Files\\Tessaline\\HELP\\new.txt"), (program / "Help" / "new.txt").string());
    // An exact match wins over one that differs in case.
    WriteText(system / "nv4_disp.dll", "y");
    EXPECT_EQ(Host("C:\\WINDOWS\\system32\\nv4_disp.dll"), (system / "nv4_disp.dll").string());
}

TEST_F(PathMapTest, PathsOutsideTheFoldersAreNotMapped) {
    for (const char* path : {
             "C:\\Program Files\\Tessaline2\\debug.txt",  // a longer name, not the folder
             "C:\\Program Files\\debug.txt",
             "C:\\Program Files\\Tessaline\\..\\debug.txt",
             "C:\\WINDOWS\\system32\\..\\..\\..\\..\\etc\\passwd",
             "D:\\WINDOWS\\system32\\nv4_disp.dll",
             "debug.txt",
             "\\WINDOWS\\system32\\nv4_disp.dll",
             "",
             "C:\\WINDOWS\\system32\\nv4?.dll",
             "C:\\WINDOWS\\system32\\a:b.dll",
             "C:\\WINDOWS\\system32\\a|b.dll",
         }) {
        EXPECT_FALSE(map.ToHost(path)) << path << " -> " << map.ToHost(path).value_or("");
    }
}

// ---- files ---------------------------------------------------------------

class HostFilesTest : public PathMapTest {
protected:
    std::string Windows(const std::string& name) { return "C:\\Program Files\\Tessaline\\" + name; }
    HostFiles files{map};
};

TEST_F(HostFilesTest, WriteNewReplacesAndAppendExtendsByteForByte) {
    ASSERT_TRUE(files.Append(Windows("debug.txt"), "first\r\n"));
    EXPECT_EQ(ReadText(program / "debug.txt"), "first\r\n");
    ASSERT_TRUE(files.Append(Windows("DEBUG.TXT"), "second\n"));
    EXPECT_EQ(ReadText(program / "debug.txt"), "first\r\nsecond\n");
    ASSERT_TRUE(files.Append(Windows("debug.txt"), std::string("nul\0byte", 8)));
    EXPECT_EQ(ReadText(program / "debug.txt"), std::string("first\r\nsecond\nnul\0byte", 22));

    ASSERT_TRUE(files.WriteNew(Windows("debug.txt"), "new\r\n"));
    EXPECT_EQ(ReadText(program / "debug.txt"), "new\r\n");
    ASSERT_TRUE(files.WriteNew(Windows("debug.txt"), ""));
    EXPECT_EQ(ReadText(program / "debug.txt"), "");
    EXPECT_EQ(fs::directory_iterator(program)->path().filename(), "debug.txt");
}

TEST_F(HostFilesTest, ReadOnlyFileRefusesBothWrites) {
    WriteText(program / "debug.txt", "kept");
    fs::permissions(program / "debug.txt", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ASSERT_TRUE(IsReadOnlyFile((program / "debug.txt").string()));
    EXPECT_FALSE(files.WriteNew(Windows("debug.txt"), "lost"));
    EXPECT_FALSE(files.Append(Windows("debug.txt"), "lost"));
    EXPECT_EQ(ReadText(program / "debug.txt"), "kept");

    // The owner's write bit decides, whoever runs the test.
    fs::permissions(program / "debug.txt", fs::perms::owner_write, fs::perm_options::add);
    EXPECT_FALSE(IsReadOnlyFile((program / "debug.txt").string()));
    EXPECT_TRUE(files.Append(Windows("debug.txt"), "+"));
    EXPECT_EQ(ReadText(program / "debug.txt"), "kept+");
}

TEST_F(HostFilesTest, HiddenFileCanBeExtendedButNotReplaced) {
    WriteText(program / ".debug.txt", "kept");
    ASSERT_TRUE(IsHiddenOrSystemFile((program / ".debug.txt").string()));
    EXPECT_FALSE(files.WriteNew(Windows(".debug.txt"), "lost"));
    EXPECT_TRUE(files.Append(Windows(".debug.txt"), "+"));
    EXPECT_EQ(ReadText(program / ".debug.txt"), "kept+");
    EXPECT_TRUE(files.WriteNew(Windows(".new.txt"), "a new hidden file may be made"));
}

TEST_F(HostFilesTest, WineDosAttributesMarkHiddenAndSystemFiles) {
    const fs::path file = program / "tslnhelp.chm";
    WriteText(file, "chm");
    EXPECT_FALSE(IsHiddenOrSystemFile(file.string()));
    for (const char* attributes : {"0x2", "0x4", "0x22", "0X6"}) {
        if (setxattr(file.c_str(), "user.DOSATTRIB", attributes, std::strlen(attributes), 0) != 0) {
            GTEST_SKIP() << "this file system keeps no user extended attributes";
        }
        EXPECT_TRUE(IsHiddenOrSystemFile(file.string())) << attributes;
    }
    for (const char* attributes : {"0x20", "0x1", "0x0", "junk"}) {
        ASSERT_EQ(setxattr(file.c_str(), "user.DOSATTRIB", attributes, std::strlen(attributes), 0), 0);
        EXPECT_FALSE(IsHiddenOrSystemFile(file.string())) << attributes;
    }
}

TEST_F(HostFilesTest, WritesFailWhereWindowsWouldFail) {
    fs::create_directories(program / "folder");
    EXPECT_FALSE(files.WriteNew(Windows("folder"), "x"));
    EXPECT_FALSE(files.Append(Windows("folder"), "x"));
    EXPECT_FALSE(files.WriteNew(Windows("missing\\debug.txt"), "x"));
    EXPECT_FALSE(files.Append(Windows("missing\\debug.txt"), "x"));
    EXPECT_FALSE(files.WriteNew("C:\\debug.txt", "x"));
    EXPECT_FALSE(files.WriteNew(Windows("de*bug.txt"), "x"));
    EXPECT_FALSE(fs::exists(program / "missing"));
}

// ---- the shipped profiles --------------------------------------------------

struct ShippedProfile {
    const char* name;
    const char* osVersion;
    const char* driverKey;
    const char* driverName;
    const char* adapter;
    std::optional<std::uint32_t> compressed;
    const char* systemDir;
    const char* programFolder;
    const char* driverVersion;
};

const ShippedProfile kShippedProfiles[] = {
    {"demo", "5.1", "SYSTEM\\CurrentControlSet\\Control\\Video\\{6B3E0D42-91A7-4C58-B2F3-7D1E8A905C64}\\0000",
     "nv4_disp", "NVIDIA GeForce4 Ti 4600", 1u, "C:\\WINDOWS\\system32", "C:\\Program Files\\Tessaline",
     "6.14.10.4523"},
    {"xp-range", "5.1", "SYSTEM\\CurrentControlSet\\Control\\Video\\{0E5C7A13-28D4-4F96-A1B7-C3D95E2F6A80}\\0000",
     "nv4_disp", "NVIDIA GeForce2 MX/MX 400", 1u, "C:\\WINDOWS\\system32", "D:\\Utilities\\Tessaline", "6.14.10.3082"},
    {"w2k-normal", "5.0", "SYSTEM\\CurrentControlSet\\Services\\nv\\Device0", "nv4", "NVIDIA GeForce3", std::nullopt,
     "C:\\WINNT\\system32", "C:\\Program Files\\Tessaline", "6.13.10.2832"},
};

class ShippedProfileTest : public ::testing::TestWithParam<ShippedProfile> {};

TEST_P(ShippedProfileTest, LoadsTheMachineItDescribes) {
    const ShippedProfile& p = GetParam();
    std::unique_ptr<MachineProfile> profile = LoadOrFail(kProfiles / p.name);
    ASSERT_TRUE(profile);
    MemoryRegistry& registry = profile->Registry();

    EXPECT_EQ(StringValue(registry, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion"), p.osVersion);
    if (std::string(p.osVersion) == "5.1") {
        // Start-up cuts the kernel prefix \Registry\Machine\ by its length.
        const std::string video0 = StringValue(registry, "HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0");
        ASSERT_GT(video0.size(), 18u);
        EXPECT_EQ(video0.substr(0, 18), "\\Registry\\Machine\\");
        EXPECT_TRUE(QueryValue(registry, video0.substr(18), "Device Description")) << video0;
        EXPECT_EQ(video0.substr(18 + 7), std::string(p.driverKey).substr(7));
    }

    const std::optional<RegValue> drivers = QueryValue(registry, p.driverKey, "InstalledDisplayDrivers");
    ASSERT_TRUE(drivers);
    EXPECT_EQ(drivers->type, kRegMultiSz);
    EXPECT_EQ(std::string(drivers->data.begin(), drivers->data.end()), std::string(p.driverName) + '\0' + '\0');
    EXPECT_EQ(StringValue(registry, p.driverKey, "Device Description"), p.adapter);

    const std::optional<RegValue> compressed = QueryValue(registry, p.driverKey, "UseCompressedModeFormat");
    ASSERT_EQ(compressed.has_value(), p.compressed.has_value());
    if (compressed) {
        EXPECT_EQ(compressed->type, kRegDword);
        EXPECT_EQ(compressed->data, (std::vector<std::uint8_t>{static_cast<std::uint8_t>(*p.compressed), 0, 0, 0}));
    }
    // What the start-up writes is there already, so that a start changes nothing.
    EXPECT_EQ(StringValue(registry, "SOFTWARE\\TSLN", "LastDetVersion"), p.driverVersion);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);

    EXPECT_EQ(SystemDirOf(*profile), p.systemDir);
    EXPECT_EQ(profile->ProgramFolder(), p.programFolder);
    // Made from system32/<driver>.version, with nothing built into the profile folder.
    EXPECT_EQ(DriverVersion(*profile, SystemDirOf(*profile) + "\\" + p.driverName + ".dll"), p.driverVersion);
    EXPECT_FALSE(fs::exists(kProfiles / p.name / "system32" / (std::string(p.driverName) + ".dll")));
    EXPECT_TRUE(fs::is_directory(kProfiles / p.name / "program"));
    EXPECT_GT(AllModes(profile->DisplayModes()).size(), 50u);
    EXPECT_FALSE(profile->RegistryChanged());
}

INSTANTIATE_TEST_SUITE_P(Profiles, ShippedProfileTest, ::testing::ValuesIn(kShippedProfiles),
                         [](const ::testing::TestParamInfo<ShippedProfile>& p) {
                             std::string name = p.param.name;
                             for (char& c : name) {
                                 if (c == '-')
                                     c = '_';
                             }
                             return name;
                         });

TEST(DemoProfile, ModesHoldTheCasesTheRateLabelsMustHandle) {
    std::unique_ptr<MachineProfile> profile = LoadOrFail(kProfiles / "demo");
    ASSERT_TRUE(profile);
    const std::vector<DisplayMode> modes = AllModes(profile->DisplayModes());
    auto has = [&](std::uint32_t w, std::uint32_t h, std::uint32_t bpp, std::uint32_t hz) {
        for (const DisplayMode& m : modes) {
            if (SameMode(m, w, h, bpp, hz))
                return true;
        }
        return false;
    };
    EXPECT_TRUE(has(640, 480, 4, 60));
    EXPECT_TRUE(has(800, 600, 4, 60));
    EXPECT_TRUE(has(800, 600, 32, 56));
    EXPECT_TRUE(has(1280, 960, 32, 90));
    EXPECT_TRUE(has(1920, 1080, 32, 1));
    for (std::uint32_t bpp : {8u, 16u, 32u})
        EXPECT_TRUE(has(1024, 768, bpp, 100)) << bpp;
    // The 16-colour modes come first, as Windows lists them.
    EXPECT_EQ(modes.front().bitsPerPel, 4u);
}

// ---- shell over a profile ------------------------------------------------

TEST(ProfileShell, AnswersFromTheProfileFolders) {
    TempFolder temp;
    const fs::path folder = CopyProfile("demo", temp);
    WriteText(folder / "program" / "tslnhelp.chm", "help");
    WriteText(folder / "program" / ".hidden.chm", "help");
    fs::create_directories(folder / "program" / "folder.chm");
    std::unique_ptr<MachineProfile> profile = LoadOrFail(folder);
    ASSERT_TRUE(profile);
    ShellApi& shell = profile->Shell();

    char small[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
    EXPECT_EQ(shell.GetSystemDirectory(small, sizeof(small)), std::string(kDefaultSystemDir).size() + 1);
    EXPECT_EQ(small[0], '#');
    char exact[20] = {};
    EXPECT_EQ(shell.GetSystemDirectory(exact, sizeof(exact)), 19u);
    EXPECT_STREQ(exact, "C:\\WINDOWS\\system32");

    const std::string programFolder = profile->ProgramFolder();
    EXPECT_TRUE(shell.IsOrdinaryFile(programFolder + "\\tslnhelp.chm"));
    EXPECT_TRUE(shell.IsOrdinaryFile("c:\\program files\\tessaline\\TSLNHELP.CHM"));
    EXPECT_FALSE(shell.IsOrdinaryFile(programFolder + "\\.hidden.chm"));
    EXPECT_FALSE(shell.IsOrdinaryFile(programFolder + "\\folder.chm"));
    EXPECT_FALSE(shell.IsOrdinaryFile(programFolder + "\\missing.chm"));
    EXPECT_TRUE(shell.IsOrdinaryFile("C:\\WINDOWS\\system32\\nv4_disp.dll"));
    EXPECT_FALSE(shell.IsOrdinaryFile("C:\\WINDOWS\\nv4_disp.dll"));

    EXPECT_EQ(shell.HtmlHelp(0x1234, programFolder + "\\tslnhelp.chm", 0, 0), MachineProfile::kHelpWindow);
    EXPECT_EQ(shell.HtmlHelp(0x1234, programFolder + "\\tslnhelp.chm::/intro.htm", 0, 0), MachineProfile::kHelpWindow);
    EXPECT_EQ(shell.HtmlHelp(0x1234, programFolder + "\\missing.chm", 15, 7), 0u);
    ASSERT_EQ(profile->HtmlHelpCalls().size(), 3u);
    EXPECT_EQ(profile->HtmlHelpCalls()[2].owner, 0x1234u);
    EXPECT_EQ(profile->HtmlHelpCalls()[2].file, programFolder + "\\missing.chm");
    EXPECT_EQ(profile->HtmlHelpCalls()[2].command, 15u);
    EXPECT_EQ(profile->HtmlHelpCalls()[2].data, 7u);

    shell.ShellExecute("http://example.invalid/", "C:\\");
    ASSERT_EQ(profile->ShellExecuteCalls().size(), 1u);
    EXPECT_EQ(profile->ShellExecuteCalls()[0].file, "http://example.invalid/");
    EXPECT_EQ(profile->ShellExecuteCalls()[0].directory, "C:\\");

    ASSERT_TRUE(profile->Files().WriteNew(programFolder + "\\debug.txt", "log\r\n"));
    EXPECT_EQ(ReadText(folder / "program" / "debug.txt"), "log\r\n");
    EXPECT_EQ(profile->HostPath(programFolder + "\\debug.txt"), (folder / "program" / "debug.txt").string());
    EXPECT_EQ(DriverVersion(*profile, "C:\\WINDOWS\\system32\\missing.dll"), "N/A");
    EXPECT_EQ(DriverVersion(*profile, "C:\\WINDOWS\\system32\\nv4_disp.version"), "N/A");
}

// ---- saving the registry -------------------------------------------------

TEST(ProfileRegistry, IsSavedOnlyAfterAChange) {
    TempFolder temp;
    const fs::path folder = CopyProfile("demo", temp);
    const fs::path file = folder / "registry.reg";
    std::unique_ptr<MachineProfile> profile = LoadOrFail(folder);
    ASSERT_TRUE(profile);

    // A marker shows whether the file was rewritten.
    WriteText(file, "marker");
    std::string error;
    ASSERT_TRUE(profile->SaveRegistry(&error)) << error;
    EXPECT_EQ(ReadText(file), "marker");

    // Reads and failed writes are no change.
    MemoryRegistry& registry = profile->Registry();
    registry.DenyWrites(kHkeyLocalMachine, "SOFTWARE");
    RegHandle key = 0;
    ASSERT_EQ(registry.OpenKey(kHkeyLocalMachine, "SOFTWARE\\Microsoft", &key), kErrorSuccess);
    const std::uint8_t one[4] = {1, 0, 0, 0};
    EXPECT_NE(registry.SetValueEx(key, "Denied", kRegDword, one, 4), kErrorSuccess);
    registry.CloseKey(key);
    EXPECT_FALSE(profile->RegistryChanged());
    ASSERT_TRUE(profile->SaveRegistry(&error)) << error;
    EXPECT_EQ(ReadText(file), "marker");

    ASSERT_EQ(registry.CreateKey(kHkeyLocalMachine, "SYSTEM\\TSLN-test", &key), kErrorSuccess);
    const std::string text = "6.14.10.4523";
    ASSERT_EQ(registry.SetValueEx(key, "LastDetVersion", kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                                  static_cast<std::uint32_t>(text.size() + 1)),
              kErrorSuccess);
    registry.CloseKey(key);
    EXPECT_TRUE(profile->RegistryChanged());
    ASSERT_TRUE(profile->SaveRegistry(&error)) << error;
    EXPECT_FALSE(profile->RegistryChanged());
    EXPECT_EQ(ReadText(file).rfind("Windows Registry Editor Version 5.00\r\n", 0), 0u);
    EXPECT_FALSE(fs::exists(folder / "registry.reg.new"));

    // Saved once: no second write without another change.
    WriteText(file, "marker");
    ASSERT_TRUE(profile->SaveRegistry(&error)) << error;
    EXPECT_EQ(ReadText(file), "marker");

    // Another change writes the whole registry again, and it loads back.
    ASSERT_EQ(registry.OpenKey(kHkeyLocalMachine, "SYSTEM\\TSLN-test", &key), kErrorSuccess);
    ASSERT_EQ(registry.SetValueEx(key, "LoadOnStartup", kRegDword, one, 4), kErrorSuccess);
    registry.CloseKey(key);
    ASSERT_TRUE(profile->SaveRegistry(&error)) << error;
    std::unique_ptr<MachineProfile> reloaded = LoadOrFail(folder);
    ASSERT_TRUE(reloaded);
    EXPECT_EQ(StringValue(reloaded->Registry(), "SYSTEM\\TSLN-test", "LastDetVersion"), text);
    const std::optional<RegValue> loadOnStartup =
        QueryValue(reloaded->Registry(), "SYSTEM\\TSLN-test", "LoadOnStartup");
    ASSERT_TRUE(loadOnStartup);
    EXPECT_EQ(loadOnStartup->type, kRegDword);
    EXPECT_EQ(StringValue(reloaded->Registry(), "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion"),
              "5.1");
}

TEST(ProfileRegistry, FailedSaveIsReportedAndKeepsTheChange) {
    TempFolder temp;
    const fs::path folder = CopyProfile("w2k-normal", temp);
    std::unique_ptr<MachineProfile> profile = LoadOrFail(folder);
    ASSERT_TRUE(profile);
    RegHandle key = 0;
    ASSERT_EQ(profile->Registry().CreateKey(kHkeyLocalMachine, "SOFTWARE\\TSLN\\New", &key), kErrorSuccess);
    profile->Registry().CloseKey(key);
    const std::string before = ReadText(folder / "registry.reg");

    // A folder where the temporary file would go makes the write fail.
    fs::create_directories(folder / "registry.reg.new");
    std::string error;
    EXPECT_FALSE(profile->SaveRegistry(&error));
    EXPECT_NE(error.find("registry.reg"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(ReadText(folder / "registry.reg"), before);
    EXPECT_TRUE(profile->RegistryChanged());

    fs::remove(folder / "registry.reg.new");
    EXPECT_TRUE(profile->SaveRegistry(&error)) << error;
    EXPECT_NE(ReadText(folder / "registry.reg"), before);
}

// The registry's own rules keep out what the reader refuses; whatever slipped past them still never
// replaces the file the next run reads.
TEST(ProfileRegistry, ASaveThatWouldNotLoadAgainLeavesTheFileAsItWas) {
    TempFolder temp;
    const fs::path folder = CopyProfile("xp-range", temp);
    std::unique_ptr<MachineProfile> profile = LoadOrFail(folder);
    ASSERT_TRUE(profile);
    const std::string before = ReadText(folder / "registry.reg");
    profile->Registry().MakeKey(kHkeyLocalMachine, "SOFTWARE\\" + std::string(300, 'n'));
    std::string error;
    EXPECT_FALSE(profile->SaveRegistry(&error));
    EXPECT_EQ(error, "cannot save " + (folder / "registry.reg").string() + ": registry.reg.new would not load again");
    EXPECT_EQ(ReadText(folder / "registry.reg"), before);
    EXPECT_FALSE(fs::exists(folder / "registry.reg.new"));
}

// ---- load errors -----------------------------------------------------------

std::string LoadError(const fs::path& folder) {
    std::string error;
    EXPECT_FALSE(MachineProfile::Load(folder.string(), &error));
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    return error;
}

TEST(ProfileErrors, NameTheFileAndLineAtFault) {
    TempFolder temp;
    EXPECT_EQ(LoadError(temp.Path() / "nowhere"),
              "machine profile folder not found: " + (temp.Path() / "nowhere").string());
    WriteText(temp.Path() / "plain-file", "");
    EXPECT_EQ(LoadError(temp.Path() / "plain-file"),
              "machine profile folder not found: " + (temp.Path() / "plain-file").string());

    const fs::path folder = CopyProfile("demo", temp);
    const std::string registryReg = (folder / "registry.reg").string();
    const std::string modesTxt = (folder / "display-modes.txt").string();
    const std::string machineTxt = (folder / "machine.txt").string();
    const std::string goodRegistry = ReadText(registryReg);
    const std::string goodModes = ReadText(modesTxt);

    fs::remove(registryReg);
    EXPECT_EQ(LoadError(folder), registryReg + ": missing or cannot be read");
    fs::create_directories(registryReg);
    EXPECT_EQ(LoadError(folder), registryReg + ": missing or cannot be read");
    fs::remove(registryReg);

    WriteText(registryReg, "this is no registry file\r\n");
    const std::string badRegistry = LoadError(folder);
    EXPECT_EQ(badRegistry.rfind(registryReg + ": ", 0), 0u) << badRegistry;
    WriteText(registryReg, "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\r\n");
    const std::string unclosedKey = LoadError(folder);
    EXPECT_EQ(unclosedKey.rfind(registryReg + ": ", 0), 0u) << unclosedKey;
    EXPECT_NE(unclosedKey.find('3'), std::string::npos) << "names the line: " << unclosedKey;
    WriteText(registryReg, goodRegistry);

    fs::remove(modesTxt);
    EXPECT_EQ(LoadError(folder), modesTxt + ": missing or cannot be read");
    WriteText(modesTxt, "# modes\n640 480 8 60\n800 600 sixteen 60\n");
    EXPECT_EQ(LoadError(folder), modesTxt + " line 3: \"sixteen\" is not a whole number from 0 to 4294967295");
    WriteText(modesTxt, goodModes);

    const fs::path versionFile = folder / "system32" / "nv4_disp.version";
    const std::string goodVersion = ReadText(versionFile);
    WriteText(versionFile, "6.14.10.70000\n");
    EXPECT_EQ(LoadError(folder), versionFile.string() + ": version field 70000 is above 65535");
    WriteText(versionFile, goodVersion);

    WriteText(machineTxt, "# paths\nsystem-dir=C:\\WINNT\\system32\nwindows-dir=C:\\WINNT\n");
    EXPECT_EQ(LoadError(folder),
              machineTxt + " line 3: unknown key \"windows-dir\" (known: program-folder, system-dir, monitor)");
    WriteText(machineTxt, "program-folder=Tessaline\n");
    EXPECT_EQ(LoadError(folder), machineTxt +
                                     " line 1: \"Tessaline\" is not an absolute Windows path such as "
                                     "C:\\WINDOWS\\system32");
    WriteText(machineTxt, "system-dir C:\\WINNT\n");
    EXPECT_EQ(LoadError(folder), machineTxt + " line 1: expected \"key=value\"");
    WriteText(machineTxt, "system-dir=C:\\A\nsystem-dir=C:\\B\n");
    EXPECT_EQ(LoadError(folder), machineTxt + " line 2: \"system-dir\" is given twice");
    WriteText(machineTxt, "monitor=SAM0108\\0000\n");
    EXPECT_EQ(LoadError(folder), machineTxt +
                                     " line 1: \"SAM0108\\0000\" is not a monitor's device ID such as "
                                     "MONITOR\\SAM0108\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000");

    // Settings with blanks, comments and a trailing backslash are fine.
    WriteText(machineTxt, "  program-folder = E:\\Tools\\Tessaline\\  # installed here\n");
    std::unique_ptr<MachineProfile> profile = LoadOrFail(folder);
    ASSERT_TRUE(profile);
    EXPECT_EQ(profile->ProgramFolder(), "E:\\Tools\\Tessaline");
    EXPECT_EQ(profile->SystemDir(), kDefaultSystemDir);
    EXPECT_EQ(profile->HostPath("e:\\tools\\tessaline\\debug.txt"), (folder / "program" / "debug.txt").string());
    EXPECT_FALSE(profile->HostPath("C:\\Program Files\\Tessaline\\debug.txt"));
}

TEST(ProfileErrors, AProfileWithoutDriverOrProgramFolderStillLoads) {
    TempFolder temp;
    WriteText(temp.Path() / "registry.reg", "Windows Registry Editor Version 5.00\r\n\r\n");
    WriteText(temp.Path() / "display-modes.txt", "");
    std::unique_ptr<MachineProfile> profile = LoadOrFail(temp.Path());
    ASSERT_TRUE(profile);
    EXPECT_EQ(DriverVersion(*profile, "C:\\WINDOWS\\system32\\nv4_disp.dll"), "N/A");
    EXPECT_TRUE(AllModes(profile->DisplayModes()).empty());
    // Like Windows, no debug.txt without the program's folder.
    EXPECT_FALSE(profile->Files().WriteNew("C:\\Program Files\\Tessaline\\debug.txt", "x"));
}

}  // namespace
}  // namespace tsln
