#include "modes/dimension.h"

namespace tsln {

DimensionFault CheckDimension(std::string_view text) {
    if (text.size() < 3 || text.size() > 4)
        return DimensionFault::NotThreeOrFourDigits;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return DimensionFault::NotThreeOrFourDigits;
    }
    return text[0] == '0' ? DimensionFault::LeadingZero : DimensionFault::None;
}

}  // namespace tsln
