#pragma once
// Names compare the way Windows compares registry key, value and file names:
// without regard to case. ASCII folding covers every name the program uses;
// bytes above 0x7F compare as they are.
#include <string>

namespace tsln {

char FoldCase(char c);
bool SameName(const std::string& a, const std::string& b);
// The order regedit sorts names in: case folded, then byte by byte.
bool LessName(const std::string& a, const std::string& b);
bool StartsWithName(const std::string& text, const std::string& prefix);
// Whether text has the shape of a pattern: 'x' takes a hexadecimal digit (in
// either case), 'd' a decimal one, any other character itself (case-blind).
bool FitsShape(const std::string& text, const std::string& shape);

}  // namespace tsln
