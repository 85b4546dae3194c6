#pragma once
// Building the driver's list in the syntax the driver expects, and writing it
// so that a failure can never pass for success.
#include <string>

#include "modes/mode_list.h"
#include "modes/resolutions.h"
#include "platform/registry_api.h"

namespace tsln {

std::string BuildModeList(ListSyntax syntax, const RateCaptions& captions, const TvOutFragments& tvOut);

// Writes text as the REG_SZ value and reads it back: true only when the
// registry now holds exactly text. The registry helpers stay silent about a
// refused write, so this read-back is the only way to know.
bool WriteModeList(RegistryApi& registry, const std::string& driverRegPath, const std::string& valueName,
                   const std::string& text);

}  // namespace tsln
