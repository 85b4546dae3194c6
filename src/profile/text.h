#pragma once
// Text helpers of the machine simulator's readers. Names compare the way
// Windows compares registry and file names, without regard to case.
#include <cstdint>
#include <string>
#include <vector>

namespace tsln {

// ASCII folding covers every name the program uses; bytes above 0x7F compare
// as they are.
char FoldCase(char c);
bool SameName(const std::string& a, const std::string& b);
// The order regedit sorts names in: case folded, then byte by byte.
bool LessName(const std::string& a, const std::string& b);
bool StartsWithName(const std::string& text, const std::string& prefix);

// Without leading and trailing spaces, tabs and carriage returns.
std::string Trim(const std::string& text);

// Lines split at LF, each without its CR. A final line break ends the last
// line, it does not start an empty one; an empty text is one empty line.
std::vector<std::string> SplitLines(const std::string& text);

// The line up to its first "#".
std::string WithoutComment(const std::string& line);

// Decimal digits only, 0 to 4294967295.
bool ParseUnsigned32(const std::string& text, std::uint32_t* value);

}  // namespace tsln
