#pragma once
// A checker of the three list syntaxes: every list is checked with it before
// it is written, so a fault in a builder or a strange stored TV-Out value can
// never reach the driver's value.
#include <string>

#include "modes/resolutions.h"

namespace tsln {

struct ListCheck {
    bool ok = false;
    std::string reason;  // empty when ok; otherwise what is wrong and where
};

ListCheck CheckModeList(const std::string& text, ListSyntax syntax);

}  // namespace tsln
