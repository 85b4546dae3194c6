#pragma once
// Text the program did not write itself (a value from the registry, a field of
// a file) goes into line-based output: the console's "[Tessaline] ..." lines
// and debug.txt. A line break in such text must not start a line that looks
// like the program's own.
#include <string>

namespace tsln {

// 0x00-0x1F and DEL: what no line of text, registry name or .reg file line may hold as it is.
inline bool IsControlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// The text with every control character (0x00-0x1F, 0x7F) shown as cat -v
// shows it: a caret and a letter ("^J" for a line feed, "^M" for a carriage
// return, "^?" for DEL). Other bytes, those above 0x7F included, are kept, so
// ordinary text comes out unchanged.
std::string OneLine(const std::string& text);

}  // namespace tsln
