#pragma once
// Text helpers of the machine simulator's readers; names compare as in
// platform/names.h.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/names.h"

namespace tsln {

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
