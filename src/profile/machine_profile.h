#pragma once
// A machine profile: a folder that stands for one PC, so that the program can
// run on any system as if it ran on that PC. The folder holds
//   registry.reg        the HKEY_LOCAL_MACHINE values the PC has
//   display-modes.txt   the modes its adapter enumerates, "width height bpp hz"
//                       per line, in enumeration order
//   system32/           the Windows system directory (the driver file)
//   program/            the program's folder (debug.txt, tslnhelp.chm)
//   machine.txt         optional: the Windows paths of those two folders,
//                       "program-folder=C:\..." and "system-dir=C:\..."
// The profile offers the portable implementations of the platform interfaces
// over these files, with Windows paths under the two folders mapped onto them.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/memory_registry.h"
#include "platform/system_api.h"

namespace tsln {

constexpr char kDefaultProgramFolder[] = "C:\\Program Files\\Tessaline";
constexpr char kDefaultSystemDir[] = "C:\\WINDOWS\\system32";

// Reads display-modes.txt: four whole numbers per line, "#" starts a comment,
// blank lines are skipped. False with "line N: ..." on the first bad line.
bool ParseDisplayModes(const std::string& text, std::vector<DisplayMode>* modes, std::string* error);

// EnumDisplaySettings over a fixed list, in its order.
class ModeListDisplayModes : public DisplayModeApi {
public:
    explicit ModeListDisplayModes(std::vector<DisplayMode> modes) : modes_(std::move(modes)) {}
    bool EnumDisplaySettings(std::uint32_t modeNum, DisplayMode* mode) override;
    const std::vector<DisplayMode>& Modes() const { return modes_; }

private:
    std::vector<DisplayMode> modes_;
};

// Windows folders mapped onto host folders. Windows paths compare without
// regard to case and take "\" or "/"; "." and ".." are resolved first, so a
// path cannot climb out of a mapped folder. Below the folder, each name is
// matched against the host files without regard to case too, the way NTFS
// finds "NV4_DISP.DLL" as nv4_disp.dll; a name that matches nothing is kept
// as written (a file about to be created).
class WindowsPathMap {
public:
    void Add(const std::string& windowsFolder, const std::string& hostFolder);
    // The host path for a Windows path, or nothing when no folder holds it or
    // it contains a character Windows does not allow in names.
    std::optional<std::string> ToHost(const std::string& windowsPath) const;

private:
    struct Folder {
        std::vector<std::string> components;
        std::string host;
    };
    std::vector<Folder> folders_;
};

// Host files seen with the attributes Windows would report. These follow
// Wine's rules, so that a profile and a Wine prefix seeded from it agree:
// - hidden or system: the name starts with "." (how Wine shows dot files), or
//   the extended attribute user.DOSATTRIB (where Wine and Samba keep DOS
//   attributes, e.g. after "attrib +h") has the hidden or system bit;
// - read-only: the owner has no write permission. Permission bits, not
//   access(2), because the tests run as root and root may write anything.
bool IsHiddenOrSystemFile(const std::string& hostPath);
bool IsReadOnlyFile(const std::string& hostPath);

// FileApi over mapped paths. Like CreateFile, WriteNew refuses an existing
// hidden or system file (CREATE_ALWAYS with normal attributes), both refuse a
// read-only file, a folder or a path whose folder does not exist.
class HostFiles : public FileApi {
public:
    explicit HostFiles(const WindowsPathMap& paths) : paths_(paths) {}
    bool WriteNew(const std::string& path, const std::string& text) override;
    bool Append(const std::string& path, const std::string& text) override;

private:
    bool Write(const std::string& path, const std::string& text, bool append);
    const WindowsPathMap& paths_;
};

class MachineProfile {
public:
    struct HtmlHelpCall {
        std::uintptr_t owner = 0;
        std::string file;
        std::uint32_t command = 0;
        std::uintptr_t data = 0;
    };
    struct ShellExecuteCall {
        std::string file;
        std::string directory;
    };
    // What HtmlHelp returns for a help file that exists: a made-up window.
    static constexpr std::uintptr_t kHelpWindow = 0x00C0FFEE;

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
