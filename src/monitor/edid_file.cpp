#include "monitor/edid_file.h"

#include <optional>

namespace tsln {
namespace {

bool IsText(const std::string& contents) {
    for (const char c : contents) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 || byte > 0x7E) && byte != '\t' && byte != '\n' && byte != '\r')
            return false;
    }
    return true;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The bytes of a line made only of hex bytes, or nothing for any other line
// (a blank line included).
std::optional<std::vector<std::uint8_t>> HexLineBytes(const std::string& line) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < line.size() && HexValue(line[end]) >= 0)
            ++end;
        const bool wordEnds = end == line.size() || line[end] == ' ' || line[end] == '\t' || line[end] == '\r';
        if (end == i || (end - i) % 2 != 0 || !wordEnds)
            return std::nullopt;
        for (; i < end; i += 2)
            bytes.push_back(static_cast<std::uint8_t>(HexValue(line[i]) * 16 + HexValue(line[i + 1])));
    }
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

std::vector<std::uint8_t> FirstHexDump(const std::string& text) {
    std::vector<std::uint8_t> dump;
    bool inDump = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        if (const auto bytes = HexLineBytes(line)) {
            dump.insert(dump.end(), bytes->begin(), bytes->end());
            inDump = true;
        } else if (inDump && !IsBlank(line)) {
            break;
        }
    }
    return dump;
}

}  // namespace

std::vector<std::uint8_t> EdidFileBytes(const std::string& contents) {
    if (IsText(contents))
        return FirstHexDump(contents);
    return std::vector<std::uint8_t>(contents.begin(), contents.end());
}

}  // namespace tsln
