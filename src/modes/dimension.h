#pragma once
// A width or height as the driver's mode lists hold it. The same rule decides
// what the TV-Out dialog accepts, which stored TV-Out values are read, and
// what the list checker passes: a value one of them takes and another refuses
// would block every later Apply.
#include <string_view>

namespace tsln {

enum class DimensionFault { None, LeadingZero, NotThreeOrFourDigits };

// Three or four decimal digits with no leading zero.
DimensionFault CheckDimension(std::string_view text);
inline bool IsDimension(std::string_view text) {
    return CheckDimension(text) == DimensionFault::None;
}

}  // namespace tsln
