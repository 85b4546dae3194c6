#include "modes/resolutions.h"

namespace tsln {

const std::array<const char*, 7> kRateLadder = {"60", "70", "72", "75", "85", "100", "120"};

}  // namespace tsln
