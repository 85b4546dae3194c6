#include "platform/profile_text.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace tsln::profile_detail {

namespace fs = std::filesystem;

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

}  // namespace tsln::profile_detail
