#include "profile/windows_path_map.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <system_error>

#include "profile/text.h"

namespace tsln {
namespace fs = std::filesystem;

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

}  // namespace tsln
