#pragma once
// Small real implementations of everything a window reaches outside itself,
// for driving the window classes in tests.
#include <deque>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "app/frm_main.h"
#include "platform/registry_helpers.h"
#include "profile/display_mode_list.h"
#include "profile/memory_registry.h"
#include "profile/profile_display_devices.h"
#include "state/program_state.h"
#include "state/system.h"

namespace tsln::test {

struct ShownMessage {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    bool operator==(const ShownMessage& o) const { return text == o.text && buttons == o.buttons && icon == o.icon; }
};

// Records every box and answers questions from a queue; a question with no
// answer queued fails the test rather than guessing.
class ScriptedMessages : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    std::deque<MsgAnswer> answers;

    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override {
        shown.push_back({text, buttons, icon});
        if (buttons == MsgButtons::Ok)
            return MsgAnswer::Ok;
        if (answers.empty()) {
            unanswered = true;
            return MsgAnswer::No;
        }
        const MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    bool unanswered = false;
};

class CountingBeeper : public Beeper {
public:
    int beeps = 0;
    void Beep() override { ++beeps; }
};

class FixedClock : public Clock {
public:
    DateTimeText Now() override { return {"2026-12-07", "13:05:09"}; }
    std::string Stamp() override { return "2026-12-07 13:05:09"; }
};

// Files by Windows path; a path listed in readOnly refuses every write.
class MemoryFiles : public FileApi {
public:
    std::map<std::string, std::string> files;
    std::vector<std::string> readOnly;
    int writes = 0;

    bool WriteNew(const std::string& path, const std::string& text) override { return Write(path, text, false); }
    bool Append(const std::string& path, const std::string& text) override { return Write(path, text, true); }
    FileRead ReadWhole(const std::string& path, std::size_t maxBytes, std::string* text) override {
        if (!files.count(path))
            return FileRead::Failed;
        if (files[path].size() > maxBytes)
            return FileRead::TooLarge;
        *text = files[path];
        return FileRead::Ok;
    }
    bool Replace(const std::string& path, const std::string& text) override { return Write(path, text, false); }

private:
    bool Write(const std::string& path, const std::string& text, bool append) {
        for (const auto& locked : readOnly) {
            if (locked == path)
                return false;
        }
        ++writes;
        files[path] = (append ? files[path] : std::string()) + text;
        return true;
    }
};

// A driver file per Windows path, with the version it carries.
class FakeFileVersions : public FileVersionApi {
public:
    std::map<std::string, std::pair<std::uint32_t, std::uint32_t>> versions;  // path -> (MS, LS)

    std::uint32_t GetFileVersionInfoSize(const std::string& path) override {
        return versions.count(path) ? sizeof(FixedFileInfo) : 0;
    }
    bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) override {
        if (!versions.count(path) || size < sizeof(FixedFileInfo))
            return false;
        FixedFileInfo info{};
        info.signature = 0xFEEF04BD;
        info.fileVersionMS = versions[path].first;
        info.fileVersionLS = versions[path].second;
        *static_cast<FixedFileInfo*>(data) = info;
        return true;
    }
    bool QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) override {
        if (size < sizeof(FixedFileInfo))
            return false;
        *info = *static_cast<const FixedFileInfo*>(block);
        return true;
    }
};

class FakeShell : public ShellApi {
public:
    std::string systemDir = "C:\\WINDOWS\\system32";
    std::vector<std::string> files;  // ordinary files that exist
    std::vector<std::string> helpOpened;
    std::vector<std::pair<std::string, std::string>> executed;

    std::uint32_t GetSystemDirectory(char* buffer, std::uint32_t size) override {
        if (systemDir.size() + 1 > size)
            return 0;
        systemDir.copy(buffer, systemDir.size());
        buffer[systemDir.size()] = '\0';
        return static_cast<std::uint32_t>(systemDir.size());
    }
    bool IsOrdinaryFile(const std::string& path) override {
        for (const auto& f : files) {
            if (f == path)
                return true;
        }
        return false;
    }
    std::uintptr_t HtmlHelp(std::uintptr_t, const std::string& file, std::uint32_t, std::uintptr_t) override {
        helpOpened.push_back(file);
        return 0x1234;
    }
    void ShellExecute(const std::string& file, const std::string& directory) override {
        executed.emplace_back(file, directory);
    }
};

class RecordingTester : public VsyncTester {
public:
    std::vector<VsyncTestParams> runs;
    std::string failure;
    std::string Run(const VsyncTestParams& params) override {
        runs.push_back(params);
        return failure;
    }
};

// The in-memory registry, with a power cut: after writesLeft more writes,
// every write is refused as if never made. Writes of the value named refused
// are refused, as a full registry may refuse just one.
class CuttableRegistry : public MemoryRegistry {
public:
    int writesLeft = -1;  // no cut
    bool cut = false;     // a write was refused
    std::string refused;

    long SetValueEx(RegHandle key, const char* name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override {
        if (refused == name)
            return kErrorAccessDenied;
        return PowerOn() ? Count(MemoryRegistry::SetValueEx(key, name, type, data, size)) : kErrorAccessDenied;
    }
    long DeleteValue(RegHandle key, const char* name) override {
        return PowerOn() ? Count(MemoryRegistry::DeleteValue(key, name)) : kErrorAccessDenied;
    }
    long DeleteKey(RegHandle key, const char* subKey) override {
        return PowerOn() ? Count(MemoryRegistry::DeleteKey(key, subKey)) : kErrorAccessDenied;
    }

private:
    bool PowerOn() {
        cut = cut || writesLeft == 0;
        return writesLeft != 0;
    }
    long Count(long result) {
        if (result == kErrorSuccess && writesLeft > 0)
            --writesLeft;
        return result;
    }
};

constexpr char kXpDriverKey[] =
    "System\\CurrentControlSet\\Control\\Video\\{1A2B3C4D-0000-4E5F-8A9B-0C1D2E3F4A5B}\\0000";
constexpr char kW2kDriverKey[] = "SYSTEM\\CurrentControlSet\\Services\\nv\\Device0";
constexpr char kDriverFile[] = "C:\\WINDOWS\\system32\\nv4_disp.dll";
constexpr char kDebugTxt[] = "C:\\Program Files\\Tessaline\\debug.txt";

inline std::uint32_t VersionMS(std::uint32_t major, std::uint32_t minor) {
    return major << 16 | minor;
}

// One PC: Windows, driver key, driver file and display modes, set up by the
// test before it creates the window.
struct Machine {
    CuttableRegistry registry;
    ModeListDisplayModes displayModes{{}};
    ProfileDisplayDevices displayDevices{""};
    FakeFileVersions versions;
    FakeShell shell;
    MemoryFiles files;
    ScriptedMessages messages;
    CountingBeeper beeper;
    FixedClock clock;
    RecordingTester tester;
    System system{registry, displayModes, displayDevices, versions, shell,
                  files,    messages,     beeper,         clock,    "C:\\Program Files\\Tessaline",
                  ""};
    ProgramState state;

    void Set(const std::string& path, const std::string& name, const std::string& text) {
        RegSetString(registry, kHkeyLocalMachine, path, name, text);
    }
    void SetDword(const std::string& path, const std::string& name, std::int32_t value) {
        RegSetDword(registry, kHkeyLocalMachine, path, name, value);
    }
    std::string Get(const std::string& path, const std::string& name) {
        return RegGetString(registry, kHkeyLocalMachine, path, name, "<missing>");
    }
    void SetMultiSz(const std::string& path, const std::string& name, const std::string& bytes) {
        RegHandle key = 0;
        registry.CreateKey(kHkeyLocalMachine, path.c_str(), &key);
        registry.SetValueEx(key, name.c_str(), kRegMultiSz, reinterpret_cast<const std::uint8_t*>(bytes.data()),
                            static_cast<std::uint32_t>(bytes.size()));
        registry.CloseKey(key);
    }
    void SetModes(std::vector<DisplayMode> modes) { displayModes = ModeListDisplayModes(std::move(modes)); }
    // A monitor as Windows XP records it: its device ID and its key under Enum\DISPLAY.
    void SetMonitor(const std::vector<std::uint8_t>& edid) {
        const std::string key = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\SAM0108\\5&1&0&10000080&01&00";
        Set(key, "Driver", "{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000");
        RegHandle handle = 0;
        registry.CreateKey(kHkeyLocalMachine, (key + "\\Device Parameters").c_str(), &handle);
        registry.SetValueEx(handle, "EDID", kRegBinary, edid.data(), static_cast<std::uint32_t>(edid.size()));
        registry.CloseKey(handle);
        displayDevices = ProfileDisplayDevices("MONITOR\\SAM0108\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000");
    }

    // Windows XP, GeForce4 Ti 4600, driver 6.14.10.<build>, compression as given.
    void SetUpXp(std::uint32_t build = 4523, bool compressed = true,
                 const std::string& description = "NVIDIA GeForce4 Ti 4600") {
        Set("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", "5.1");
        Set("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0", std::string("\\Registry\\Machine\\") + kXpDriverKey);
        SetMultiSz(kXpDriverKey, "InstalledDisplayDrivers", std::string("nv4_disp\0\0", 10));
        Set(kXpDriverKey, "Device Description", description);
        if (compressed)
            SetDword(kXpDriverKey, "UseCompressedModeFormat", 1);
        versions.versions[kDriverFile] = {VersionMS(6, 14), VersionMS(10, build)};
    }
    void SetUpW2k(const std::string& description = "NVIDIA GeForce3") {
        Set("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", "CurrentVersion", "5.0");
        SetMultiSz(kW2kDriverKey, "InstalledDisplayDrivers", std::string("nv4_disp\0\0", 10));
        Set(kW2kDriverKey, "Device Description", description);
        versions.versions[kDriverFile] = {VersionMS(6, 13), VersionMS(10, 2832)};
    }
};

}  // namespace tsln::test
