#pragma once
// A decimal number as the quick-set box holds it: digits with at most one
// decimal mark, '.' or ','; no blanks, sign or exponent.
#include <optional>
#include <string>

namespace tsln {

// The nearest double, as a correctly rounding strtod gives it, for up to 15
// significant digits and 22 decimals (leading zeros and trailing decimal
// zeros not counted, however many there are). Nothing for longer numbers,
// which no frequency needs, and for any other text.
std::optional<double> ParseDecimal(const std::string& text);

}  // namespace tsln
