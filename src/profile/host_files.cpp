#include "profile/host_files.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

#if defined(__linux__)
#include <sys/xattr.h>
#endif

#include "profile/windows_path_map.h"

namespace tsln {
namespace fs = std::filesystem;

namespace {

// DOS attribute bits as Wine keeps them in user.DOSATTRIB.
constexpr unsigned long kAttributeHidden = 0x2;
constexpr unsigned long kAttributeSystem = 0x4;

}  // namespace

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

bool HostFiles::WriteNew(const std::string& path, const std::string& text) {
    return Write(path, text, false);
}

bool HostFiles::Append(const std::string& path, const std::string& text) {
    return Write(path, text, true);
}

FileRead HostFiles::ReadWhole(const std::string& path, std::size_t maxBytes, std::string* text) {
    const std::optional<std::string> host = paths_.ToHost(path);
    std::error_code error;
    if (!host || !fs::is_regular_file(*host, error))
        return FileRead::Failed;
    const std::uintmax_t size = fs::file_size(*host, error);
    if (error)
        return FileRead::Failed;
    if (size > maxBytes)
        return FileRead::TooLarge;
    return ReadWholeFile(*host, text) ? FileRead::Ok : FileRead::Failed;
}

bool HostFiles::Replace(const std::string& path, const std::string& text) {
    const std::string fresh = path + ".tmp";
    const std::optional<std::string> host = paths_.ToHost(path);
    const std::optional<std::string> freshHost = paths_.ToHost(fresh);
    if (!host || !freshHost)
        return false;
    std::error_code error;
    const fs::file_status status = fs::status(*host, error);
    if (fs::exists(status) && (!fs::is_regular_file(status) || IsReadOnlyFile(*host)))
        return false;
    if (Write(fresh, text, false)) {
        fs::rename(*freshHost, *host, error);
        if (!error)
            return true;
    }
    fs::remove(*freshHost, error);
    return false;
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
