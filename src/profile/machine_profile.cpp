#include "profile/machine_profile.h"

#include <exception>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "profile/display_mode_list.h"
#include "profile/driver_files.h"
#include "profile/host_files.h"
#include "profile/profile_display_devices.h"
#include "profile/profile_file_version.h"
#include "profile/reg_file.h"
#include "profile/text.h"
#include "profile/windows_path_map.h"

namespace tsln {
namespace fs = std::filesystem;

namespace {

constexpr char kRegistryFile[] = "registry.reg";
constexpr char kDisplayModesFile[] = "display-modes.txt";
constexpr char kMachineFile[] = "machine.txt";
constexpr char kSystemFolder[] = "system32";
constexpr char kProgramFolder[] = "program";

// A monitor's device ID as EnumDisplayDevicesA gives it: MONITOR\<PnP ID>\<driver key>, nothing empty.
bool IsMonitorDeviceId(const std::string& id) {
    const std::string prefix = "MONITOR\\";
    const std::size_t slash = id.find('\\', prefix.size());
    return id.compare(0, prefix.size(), prefix) == 0 && slash != std::string::npos && slash > prefix.size() &&
           slash + 1 < id.size();
}

// machine.txt: "key=value" lines naming the two Windows folders and the monitor.
bool ParseMachineFile(const std::string& text, std::string* programFolder, std::string* systemDir, std::string* monitor,
                      std::string* error) {
    const std::vector<std::string> lines = SplitLines(text);
    bool seenProgram = false;
    bool seenSystem = false;
    bool seenMonitor = false;
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
        } else if (key == "monitor") {
            target = monitor;
            seen = &seenMonitor;
        } else {
            *error = where + "unknown key \"" + key + "\" (known: program-folder, system-dir, monitor)";
            return false;
        }
        if (*seen) {
            *error = where + "\"" + key + "\" is given twice";
            return false;
        }
        if (target == monitor) {
            if (!IsMonitorDeviceId(value)) {
                *error = where + "\"" + value + "\" is not a monitor's device ID such as " +
                         "MONITOR\\SAM0108\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000";
                return false;
            }
            *monitor = value;
            *seen = true;
            continue;
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
    std::string monitor;
    WindowsPathMap paths;
    DriverFiles driverFiles;
    MemoryRegistry registry;
    std::uint64_t savedRevision = 0;
    std::unique_ptr<ProfileShell> shell;
    std::unique_ptr<HostFiles> files;
    std::unique_ptr<ProfileFileVersion> fileVersion;
    std::unique_ptr<ModeListDisplayModes> displayModes;
    std::unique_ptr<ProfileDisplayDevices> displayDevices;

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
            if (!ParseMachineFile(text, &programFolder, &systemDir, &monitor, &detail)) {
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

        if (!driverFiles.Load(root, error))
            return false;

        paths.Add(programFolder, (root / kProgramFolder).string());
        paths.Add(systemDir, (root / kSystemFolder).string());
        // As Wine maps it: the files a user names on the command line.
        paths.Add("Z:\\", "/");
        shell = std::make_unique<ProfileShell>(systemDir, paths, driverFiles);
        files = std::make_unique<HostFiles>(paths);
        fileVersion = std::make_unique<ProfileFileVersion>(paths, driverFiles);
        displayModes = std::make_unique<ModeListDisplayModes>(std::move(modes));
        displayDevices = std::make_unique<ProfileDisplayDevices>(monitor);
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

DisplayDeviceApi& MachineProfile::DisplayDevices() {
    return *impl_->displayDevices;
}

const std::vector<MachineProfile::HtmlHelpCall>& MachineProfile::HtmlHelpCalls() const {
    return impl_->shell->HtmlHelpCalls();
}

const std::vector<MachineProfile::ShellExecuteCall>& MachineProfile::ShellExecuteCalls() const {
    return impl_->shell->ShellExecuteCalls();
}

bool MachineProfile::RegistryChanged() const {
    return impl_->registry.Revision() != impl_->savedRevision;
}

bool MachineProfile::SaveRegistry(std::string* error) {
    if (!RegistryChanged())
        return true;
    const fs::path target = fs::path(impl_->folder) / kRegistryFile;
    // Written beside the old file, read back and renamed over it, so that the
    // file is either the old one or a new one that loads again, never half of
    // one or one the next run refuses.
    const fs::path temporary = fs::path(impl_->folder) / (std::string(kRegistryFile) + ".new");
    try {
        const std::string text = SaveRegFile(impl_->registry);
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            out.close();
            std::string written;
            MemoryRegistry check;
            const char* problem = out.fail()                                               ? "cannot be written"
                                  : !ReadWholeFile(temporary, &written) || written != text ? "reads back otherwise"
                                  : !LoadRegFile(written, check, nullptr)                  ? "would not load again"
                                                                                           : nullptr;
            if (problem) {
                std::error_code ignored;
                fs::remove(temporary, ignored);
                if (error)
                    *error = "cannot save " + target.string() + ": " + temporary.filename().string() + " " + problem;
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
