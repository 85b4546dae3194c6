#include "platform/one_line.h"

namespace tsln {

std::string OneLine(const std::string& text) {
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        if (IsControlCharacter(c)) {
            line += '^';
            line += c == 0x7F ? '?' : static_cast<char>(c + 0x40);
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace tsln
