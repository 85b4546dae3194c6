#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#if defined(__linux__)
#include <sys/xattr.h>
#endif

#include "platform/machine_profile.h"
#include "platform/profile_text.h"

namespace tsln {
namespace fs = std::filesystem;

using namespace profile_detail;

namespace {

// DOS attribute bits as Wine keeps them in user.DOSATTRIB.
constexpr unsigned long kAttributeHidden = 0x2;
constexpr unsigned long kAttributeSystem = 0x4;

}  // namespace

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

}  // namespace tsln
