#include "profile/text.h"

#include <algorithm>

namespace tsln {

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
    while (start < text.size() || lines.empty()) {
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

}  // namespace tsln
