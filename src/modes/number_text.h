#pragma once
// Whole numbers as the labels and text boxes hold them: plain decimal digits,
// no blanks, no sign in front of a positive number.
#include <cstdint>
#include <optional>
#include <string>

namespace tsln {

// Digits with an optional leading '-'; nothing else, and it must fit 64 bits.
std::optional<std::int64_t> ParseWholeNumber(const std::string& text);

}  // namespace tsln
