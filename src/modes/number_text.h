#pragma once
// Whole numbers as the labels and text boxes hold them: plain decimal digits,
// no blanks, no sign in front of a positive number.
#include <cstdint>
#include <optional>
#include <string>

namespace tsln {

// Digits with an optional leading '-'; nothing else, and it must fit 64 bits.
std::optional<std::int64_t> ParseWholeNumber(const std::string& text);

// The formatting the lists need, without printf: in the Windows build the C
// library's printf family brings its whole floating-point formatter along.
// Blanks in front (right-aligned) or behind (left-aligned) up to width.
std::string PadLeft(const std::string& text, std::size_t width);
std::string PadRight(const std::string& text, std::size_t width);
// Upper-case hexadecimal with zeros in front up to minDigits ("%0*lX").
std::string UpperHex(unsigned long value, std::size_t minDigits);

}  // namespace tsln
