#pragma once
// Text the program did not write itself (a value from the registry, a field of
// a file) goes into line-based output: the console's "[Tessaline] ..." lines
// and debug.txt. A line break in such text must not start a line that looks
// like the program's own.
#include <string>

namespace tsln {

// The text with every control character (0x00-0x1F, 0x7F) shown as cat -v
// shows it: a caret and a letter ("^J" for a line feed, "^M" for a carriage
// return, "^?" for DEL). Other bytes, those above 0x7F included, are kept, so
// ordinary text comes out unchanged.
std::string OneLine(const std::string& text);

}  // namespace tsln
