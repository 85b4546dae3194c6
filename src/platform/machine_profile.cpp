#include "platform/machine_profile.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#if defined(__linux__)
#include <sys/xattr.h>
#endif

#include "platform/pe_version.h"
#include "platform/reg_file.h"

namespace tsln {
namespace fs = std::filesystem;

namespace {

constexpr char kRegistryFile[] = "registry.reg";
constexpr char kDisplayModesFile[] = "display-modes.txt";
constexpr char kMachineFile[] = "machine.txt";
constexpr char kSystemFolder[] = "system32";
constexpr char kProgramFolder[] = "program";

// DOS attribute bits as Wine keeps them in user.DOSATTRIB.
constexpr unsigned long kAttributeHidden = 0x2;
constexpr unsigned long kAttributeSystem = 0x4;

// Windows compares names by folding case; ASCII folding covers every name
// the program uses, and bytes above 0x7F compare as they are.
char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

std::string Trim(const std::string& text) {
    const char* kBlanks = " \t\r";
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos)
        return std::string();
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::string WithoutComment(const std::string& line) {
    return line.substr(0, line.find('#'));
}

bool ParseUnsigned32(const std::string& text, std::uint32_t* value) {
    if (text.empty() || text.size() > 10)
        return false;
    std::uint64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        result = result * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (result > 0xFFFFFFFFu)
        return false;
    *value = static_cast<std::uint32_t>(result);
    return true;
}

// A Windows path split into its names, "." and ".." resolved, empty names
// (doubled separators) dropped. Nothing when a name holds a character that
// Windows refuses in file names.
std::optional<std::vector<std::string>> WindowsComponents(const std::string& path) {
    std::vector<std::string> components;
    std::string name;
    auto flush = [&]() -> bool {
        const std::string current = std::move(name);
        name.clear();
        if (current.empty() || current == ".")
            return true;
        if (current == "..") {
            // The drive is never climbed over, as on Windows.
            if (components.size() > 1)
                components.pop_back();
            return true;
        }
        const bool isDrive = components.empty() && current.size() == 2 && current[1] == ':';
        for (char c : current) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (u < 0x20 || std::strchr("<>\"|?*", c) != nullptr || (c == ':' && !isDrive))
                return false;
        }
        components.push_back(current);
        return true;
    };
    for (char c : path) {
        if (c == '\\' || c == '/') {
            if (!flush())
                return std::nullopt;
        } else {
            name += c;
        }
    }
    if (!flush())
        return std::nullopt;
    return components;
}

// The host entry in folder whose name matches name without regard to case;
// an exact match wins, and a name that matches nothing is kept as written.
std::string MatchHostName(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error))
        return name;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string candidate = it->path().filename().string();
        if (SameName(candidate, name))
            return candidate;
    }
    return name;
}

bool ReadWholeFile(const fs::path& path, std::string* text) {
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buffer;
    buffer << in.rdbuf();
    if (in.bad())
        return false;
    *text = buffer.str();
    return true;
}

// The Windows folder named in machine.txt, without trailing separators (the
// drive root keeps its one).
bool NormalizeWindowsFolder(std::string value, std::string* folder) {
    const bool hasDrive = value.size() >= 3 && std::isalpha(static_cast<unsigned char>(value[0])) && value[1] == ':' &&
                          (value[2] == '\\' || value[2] == '/');
    if (!hasDrive || !WindowsComponents(value))
        return false;
    while (value.size() > 3 && (value.back() == '\\' || value.back() == '/'))
        value.pop_back();
    *folder = value;
    return true;
}

}  // namespace

// ---- display modes -------------------------------------------------------

bool ParseDisplayModes(const std::string& text, std::vector<DisplayMode>* modes, std::string* error) {
    std::vector<DisplayMode> parsed;
    const std::vector<std::string> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::istringstream fields(WithoutComment(lines[i]));
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        if (words.empty())
            continue;

        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (words.size() != 4) {
            if (error)
                *error = where + "expected four numbers \"width height bpp hz\", found " + std::to_string(words.size());
            return false;
        }
        std::uint32_t numbers[4] = {};
        for (std::size_t n = 0; n < 4; ++n) {
            if (!ParseUnsigned32(words[n], &numbers[n])) {
                if (error)
                    *error = where + "\"" + words[n] + "\" is not a whole number from 0 to 4294967295";
                return false;
            }
        }
        DisplayMode mode;
        mode.width = numbers[0];
        mode.height = numbers[1];
        mode.bitsPerPel = numbers[2];
        mode.frequency = numbers[3];
        parsed.push_back(mode);
    }
    if (modes)
        *modes = std::move(parsed);
    return true;
}

bool ModeListDisplayModes::EnumDisplaySettings(std::uint32_t modeNum, DisplayMode* mode) {
    if (modeNum >= modes_.size())
        return false;
    if (mode)
        *mode = modes_[modeNum];
    return true;
}

// ---- paths and attributes --------------------------------------------------

void WindowsPathMap::Add(const std::string& windowsFolder, const std::string& hostFolder) {
    std::optional<std::vector<std::string>> components = WindowsComponents(windowsFolder);
    if (!components || components->empty())
        return;
    folders_.push_back(Folder{std::move(*components), hostFolder});
    // The deepest folder first, should one lie inside the other.
    std::stable_sort(folders_.begin(), folders_.end(),
                     [](const Folder& a, const Folder& b) { return a.components.size() > b.components.size(); });
}

std::optional<std::string> WindowsPathMap::ToHost(const std::string& windowsPath) const {
    const std::optional<std::vector<std::string>> components = WindowsComponents(windowsPath);
    if (!components)
        return std::nullopt;
    for (const Folder& folder : folders_) {
        if (components->size() < folder.components.size())
            continue;
        if (!std::equal(folder.components.begin(), folder.components.end(), components->begin(), SameName)) {
            continue;
        }
        fs::path host(folder.host);
        for (std::size_t i = folder.components.size(); i < components->size(); ++i) {
            host /= MatchHostName(host, (*components)[i]);
        }
        return host.string();
    }
    return std::nullopt;
}

bool IsHiddenOrSystemFile(const std::string& hostPath) {
    const std::string name = fs::path(hostPath).filename().string();
    if (!name.empty() && name[0] == '.' && name != "." && name != "..")
        return true;
#if defined(__linux__)
    char value[32] = {};
    const ssize_t length = getxattr(hostPath.c_str(), "user.DOSATTRIB", value, sizeof(value) - 1);
    if (length > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        const unsigned long attributes = std::strtoul(value + 2, nullptr, 16);
        return (attributes & (kAttributeHidden | kAttributeSystem)) != 0;
    }
#endif
    return false;
}

bool IsReadOnlyFile(const std::string& hostPath) {
    std::error_code error;
    const fs::file_status status = fs::status(hostPath, error);
    if (error || !fs::exists(status))
        return false;
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

// ---- files -----------------------------------------------------------------

bool HostFiles::WriteNew(const std::string& path, const std::string& text) {
    return Write(path, text, false);
}

bool HostFiles::Append(const std::string& path, const std::string& text) {
    return Write(path, text, true);
}

bool HostFiles::Write(const std::string& path, const std::string& text, bool append) {
    const std::optional<std::string> host = paths_.ToHost(path);
    if (!host)
        return false;
    std::error_code error;
    const fs::file_status status = fs::status(*host, error);
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status) || IsReadOnlyFile(*host))
            return false;
        if (!append && IsHiddenOrSystemFile(*host))
            return false;
    }
    if (!fs::is_directory(fs::path(*host).parent_path(), error))
        return false;

    std::ofstream out(*host, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    if (!out)
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

// ---- the profile -----------------------------------------------------------

namespace {

class ProfileShell : public ShellApi {
public:
    ProfileShell(const std::string& systemDir, const WindowsPathMap& paths) : systemDir_(systemDir), paths_(paths) {}

    std::uint32_t GetSystemDirectory(char* buffer, std::uint32_t size) override {
        const auto length = static_cast<std::uint32_t>(systemDir_.size());
        // Too small a buffer gets the size it needs, NUL included, as on Windows.
        if (!buffer || size <= length)
            return length + 1;
        std::memcpy(buffer, systemDir_.c_str(), length + 1);
        return length;
    }

    bool IsOrdinaryFile(const std::string& path) override {
        const std::optional<std::string> host = paths_.ToHost(path);
        std::error_code error;
        return host && fs::is_regular_file(*host, error) && !IsHiddenOrSystemFile(*host);
    }

    std::uintptr_t HtmlHelp(std::uintptr_t owner, const std::string& file, std::uint32_t command,
                            std::uintptr_t data) override {
        htmlHelpCalls.push_back(MachineProfile::HtmlHelpCall{owner, file, command, data});
        // "help.chm::/topic.htm" and "help.chm>window" name the file before the marker.
        std::string chm = file.substr(0, file.find("::"));
        chm = chm.substr(0, chm.find('>'));
        const std::optional<std::string> host = paths_.ToHost(chm);
        std::error_code error;
        return host && fs::is_regular_file(*host, error) ? MachineProfile::kHelpWindow : 0;
    }

    void ShellExecute(const std::string& file, const std::string& directory) override {
        shellExecuteCalls.push_back(MachineProfile::ShellExecuteCall{file, directory});
    }

    std::vector<MachineProfile::HtmlHelpCall> htmlHelpCalls;
    std::vector<MachineProfile::ShellExecuteCall> shellExecuteCalls;

private:
    std::string systemDir_;
    const WindowsPathMap& paths_;
};

class ProfileFileVersion : public FileVersionApi {
public:
    explicit ProfileFileVersion(const WindowsPathMap& paths) : paths_(paths) {}

    std::uint32_t GetFileVersionInfoSize(const std::string& path) override {
        const std::optional<std::string> host = paths_.ToHost(path);
        return host ? host_.GetFileVersionInfoSize(*host) : 0;
    }

    bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) override {
        const std::optional<std::string> host = paths_.ToHost(path);
        return host && host_.GetFileVersionInfo(*host, size, data);
    }

    bool QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) override {
        return host_.QueryFixedFileInfo(block, size, info);
    }

private:
    const WindowsPathMap& paths_;
    HostFileVersion host_;
};

// machine.txt: "key=value" lines naming the two Windows folders.
bool ParseMachineFile(const std::string& text, std::string* programFolder, std::string* systemDir, std::string* error) {
    const std::vector<std::string> lines = SplitLines(text);
    bool seenProgram = false;
    bool seenSystem = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string line = Trim(WithoutComment(lines[i]));
        if (line.empty())
            continue;
        const std::string where = "line " + std::to_string(i + 1) + ": ";
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) {
            *error = where + "expected \"key=value\"";
            return false;
        }
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        std::string* target = nullptr;
        bool* seen = nullptr;
        if (key == "program-folder") {
            target = programFolder;
            seen = &seenProgram;
        } else if (key == "system-dir") {
            target = systemDir;
            seen = &seenSystem;
        } else {
            *error = where + "unknown key \"" + key + "\" (known: program-folder, system-dir)";
            return false;
        }
        if (*seen) {
            *error = where + "\"" + key + "\" is given twice";
            return false;
        }
        if (!NormalizeWindowsFolder(value, target)) {
            *error = where + "\"" + value + "\" is not an absolute Windows path such as C:\\WINDOWS\\system32";
            return false;
        }
        *seen = true;
    }
    return true;
}

}  // namespace

struct MachineProfile::Impl {
    std::string folder;
    std::string programFolder = kDefaultProgramFolder;
    std::string systemDir = kDefaultSystemDir;
    WindowsPathMap paths;
    MemoryRegistry registry;
    std::uint64_t savedRevision = 0;
    std::unique_ptr<ProfileShell> shell;
    std::unique_ptr<HostFiles> files;
    std::unique_ptr<ProfileFileVersion> fileVersion;
    std::unique_ptr<ModeListDisplayModes> displayModes;

    bool Load(std::string* error) {
        std::error_code fsError;
        const fs::path root(folder);
        if (!fs::is_directory(root, fsError)) {
            *error = "machine profile folder not found: " + folder;
            return false;
        }

        std::string text;
        const fs::path machineFile = root / kMachineFile;
        if (fs::exists(machineFile, fsError)) {
            std::string detail;
            if (!ReadWholeFile(machineFile, &text)) {
                *error = machineFile.string() + ": cannot be read";
                return false;
            }
            if (!ParseMachineFile(text, &programFolder, &systemDir, &detail)) {
                *error = machineFile.string() + " " + detail;
                return false;
            }
        }

        const fs::path registryFile = root / kRegistryFile;
        if (!ReadWholeFile(registryFile, &text)) {
            *error = registryFile.string() + ": missing or cannot be read";
            return false;
        }
        std::string detail;
        if (!LoadRegFile(text, registry, &detail)) {
            *error = registryFile.string() + ": " + detail;
            return false;
        }
        savedRevision = registry.Revision();

        const fs::path modesFile = root / kDisplayModesFile;
        if (!ReadWholeFile(modesFile, &text)) {
            *error = modesFile.string() + ": missing or cannot be read";
            return false;
        }
        std::vector<DisplayMode> modes;
        if (!ParseDisplayModes(text, &modes, &detail)) {
            *error = modesFile.string() + " " + detail;
            return false;
        }

        paths.Add(programFolder, (root / kProgramFolder).string());
        paths.Add(systemDir, (root / kSystemFolder).string());
        shell = std::make_unique<ProfileShell>(systemDir, paths);
        files = std::make_unique<HostFiles>(paths);
        fileVersion = std::make_unique<ProfileFileVersion>(paths);
        displayModes = std::make_unique<ModeListDisplayModes>(std::move(modes));
        return true;
    }
};

MachineProfile::MachineProfile() : impl_(std::make_unique<Impl>()) {}
MachineProfile::~MachineProfile() = default;

std::unique_ptr<MachineProfile> MachineProfile::Load(const std::string& folder, std::string* error) {
    std::string message;
    try {
        std::unique_ptr<MachineProfile> profile(new MachineProfile());
        profile->impl_->folder = folder;
        if (profile->impl_->Load(&message))
            return profile;
    } catch (const std::exception& e) {
        message = "cannot load machine profile " + folder + ": " + e.what();
    }
    if (error)
        *error = message;
    return nullptr;
}

const std::string& MachineProfile::Folder() const {
    return impl_->folder;
}
const std::string& MachineProfile::ProgramFolder() const {
    return impl_->programFolder;
}
const std::string& MachineProfile::SystemDir() const {
    return impl_->systemDir;
}

std::optional<std::string> MachineProfile::HostPath(const std::string& windowsPath) const {
    return impl_->paths.ToHost(windowsPath);
}

MemoryRegistry& MachineProfile::Registry() {
    return impl_->registry;
}
ShellApi& MachineProfile::Shell() {
    return *impl_->shell;
}
FileApi& MachineProfile::Files() {
    return *impl_->files;
}
FileVersionApi& MachineProfile::FileVersion() {
    return *impl_->fileVersion;
}
DisplayModeApi& MachineProfile::DisplayModes() {
    return *impl_->displayModes;
}

const std::vector<MachineProfile::HtmlHelpCall>& MachineProfile::HtmlHelpCalls() const {
    return impl_->shell->htmlHelpCalls;
}

const std::vector<MachineProfile::ShellExecuteCall>& MachineProfile::ShellExecuteCalls() const {
    return impl_->shell->shellExecuteCalls;
}

bool MachineProfile::RegistryChanged() const {
    return impl_->registry.Revision() != impl_->savedRevision;
}

bool MachineProfile::SaveRegistry(std::string* error) {
    if (!RegistryChanged())
        return true;
    const fs::path target = fs::path(impl_->folder) / kRegistryFile;
    // Written beside the old file and renamed over it, so that a failed write
    // never leaves a half-written registry behind.
    const fs::path temporary = fs::path(impl_->folder) / (std::string(kRegistryFile) + ".new");
    try {
        const std::string text = SaveRegFile(impl_->registry);
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.close();
            if (out.fail()) {
                std::error_code ignored;
                fs::remove(temporary, ignored);
                if (error)
                    *error = "cannot write " + temporary.string();
                return false;
            }
        }
        std::error_code renameError;
        fs::rename(temporary, target, renameError);
        if (renameError) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            if (error)
                *error = "cannot replace " + target.string() + ": " + renameError.message();
            return false;
        }
    } catch (const std::exception& e) {
        if (error)
            *error = "cannot save " + target.string() + ": " + e.what();
        return false;
    }
    impl_->savedRevision = impl_->registry.Revision();
    return true;
}

}  // namespace tsln
