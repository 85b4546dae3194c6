#pragma once
// Building the driver's list in the syntax the driver expects (undo.h writes it).
#include <string>

#include "modes/mode_list.h"
#include "modes/resolutions.h"

namespace tsln {

std::string BuildModeList(ListSyntax syntax, const RateCaptions& captions, const TvOutFragments& tvOut);

}  // namespace tsln
