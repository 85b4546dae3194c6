#pragma once
// A machine profile: a folder that stands for one PC, so that the program can
// run on any system as if it ran on that PC. The folder holds
//   registry.reg        the HKEY_LOCAL_MACHINE values the PC has
//   display-modes.txt   the modes its adapter enumerates, "width height bpp hz"
//                       per line, in enumeration order
//   system32/           the Windows system directory; its driver file is made
//                       from NAME.version (see driver_file.h)
//   program/            the program's folder (debug.txt, tslnhelp.chm)
//   machine.txt         optional: the Windows paths of those two folders,
//                       "program-folder=C:\..." and "system-dir=C:\...", and
//                       the monitor's device ID, "monitor=MONITOR\SAM0108\{...}\0000"
//                       (its EDID is in registry.reg, under Enum\DISPLAY, as on
//                       a real PC); without it the PC reports no monitor
// The profile offers the portable implementations of the platform interfaces
// over these files, with Windows paths under the two folders mapped onto them,
// and Z:\ onto the host's root, as Wine maps it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_api.h"
#include "profile/memory_registry.h"
#include "profile/profile_shell.h"

namespace tsln {

constexpr char kDefaultProgramFolder[] = "C:\\Program Files\\Tessaline";
constexpr char kDefaultSystemDir[] = "C:\\WINDOWS\\system32";

class MachineProfile {
public:
    using HtmlHelpCall = ProfileShell::HtmlHelpCall;
    using ShellExecuteCall = ProfileShell::ShellExecuteCall;
    static constexpr std::uintptr_t kHelpWindow = ProfileShell::kHelpWindow;

    // Loads the profile in folder. On failure returns nothing and sets error to
    // one line naming the file (and line) at fault; never throws.
    static std::unique_ptr<MachineProfile> Load(const std::string& folder, std::string* error);
    ~MachineProfile();
    MachineProfile(const MachineProfile&) = delete;
    MachineProfile& operator=(const MachineProfile&) = delete;

    const std::string& Folder() const;
    // The Windows paths of the program's folder and of the system directory.
    const std::string& ProgramFolder() const;
    const std::string& SystemDir() const;
    std::optional<std::string> HostPath(const std::string& windowsPath) const;

    MemoryRegistry& Registry();
    ShellApi& Shell();
    FileApi& Files();
    FileVersionApi& FileVersion();
    DisplayModeApi& DisplayModes();
    DisplayDeviceApi& DisplayDevices();

    const std::vector<HtmlHelpCall>& HtmlHelpCalls() const;
    const std::vector<ShellExecuteCall>& ShellExecuteCalls() const;

    // True when the registry changed since it was loaded or last saved.
    bool RegistryChanged() const;
    // Writes registry.reg back when the registry changed, else leaves the file
    // alone. False with a one-line error when writing fails.
    bool SaveRegistry(std::string* error);

private:
    MachineProfile();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tsln
