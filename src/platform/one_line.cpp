#include "platform/one_line.h"

namespace tsln {

std::string OneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            line += '^';
            line += byte == 0x7F ? '?' : static_cast<char>(byte + 0x40);
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace tsln
