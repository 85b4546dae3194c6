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

// Whether the box takes a typed character, the way a number box refuses
// letters at the key: control keys (Backspace, Ctrl+C/V/X/Z) and digits
// always; a decimal mark, '.' or the user's own separator, only while the text
// that the keystroke keeps (the box without its selection) has none.
bool DecimalBoxTakes(const std::string& kept, char key, char userSeparator);

}  // namespace tsln
