#include "profile/profile_shell.h"

#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

#include "profile/driver_files.h"
#include "profile/host_files.h"
#include "profile/windows_path_map.h"

namespace tsln {
namespace fs = std::filesystem;

std::uint32_t ProfileShell::GetSystemDirectory(char* buffer, std::uint32_t size) {
    const auto length = static_cast<std::uint32_t>(systemDir_.size());
    // Too small a buffer gets the size it needs, NUL included, as on Windows.
    if (!buffer || size <= length)
        return length + 1;
    std::memcpy(buffer, systemDir_.c_str(), length + 1);
    return length;
}

bool ProfileShell::IsOrdinaryFile(const std::string& path) {
    const std::optional<std::string> host = paths_.ToHost(path);
    if (!host)
        return false;
    std::error_code error;
    if (fs::is_regular_file(*host, error))
        return !IsHiddenOrSystemFile(*host);
    return driverFiles_.Find(*host) != nullptr;
}

std::uintptr_t ProfileShell::HtmlHelp(std::uintptr_t owner, const std::string& file, std::uint32_t command,
                                      std::uintptr_t data) {
    htmlHelpCalls_.push_back(HtmlHelpCall{owner, file, command, data});
    // "help.chm::/topic.htm" and "help.chm>window" name the file before the marker.
    std::string chm = file.substr(0, file.find("::"));
    chm = chm.substr(0, chm.find('>'));
    const std::optional<std::string> host = paths_.ToHost(chm);
    std::error_code error;
    return host && fs::is_regular_file(*host, error) ? kHelpWindow : 0;
}

void ProfileShell::ShellExecute(const std::string& file, const std::string& directory) {
    shellExecuteCalls_.push_back(ShellExecuteCall{file, directory});
}

}  // namespace tsln
