#pragma once
// Windows folders mapped onto host folders, the way a machine profile stands
// for the folders of one PC.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tsln {

// Windows paths compare without regard to case and take "\" or "/"; "." and
// ".." are resolved first, so a path cannot climb out of a mapped folder.
// Below the folder, each name is matched against the host files without
// regard to case too, the way NTFS finds "NV4_DISP.DLL" as nv4_disp.dll; a
// name that matches nothing is kept as written (a file about to be created).
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

// A Windows path split into its names, "." and ".." resolved, empty names
// (doubled separators) dropped. Nothing when a name holds a character that
// Windows refuses in file names.
std::optional<std::vector<std::string>> WindowsComponents(const std::string& path);

// An absolute Windows folder ("C:\..."), without trailing separators (the
// drive root keeps its one). False for anything else.
bool NormalizeWindowsFolder(std::string value, std::string* folder);

// The host entry in folder whose name matches name without regard to case;
// an exact match wins, and a name that matches nothing is kept as written.
std::string MatchHostName(const std::filesystem::path& folder, const std::string& name);

}  // namespace tsln
