#pragma once
// The 23 resolutions of the editor and the rate ladder. Row order is the
// editor's display order, which is also the order of the compressed and mask
// lists; the normal list moves 640x480 to the front of each depth block.
#include <array>
#include <string>

#include "modes/rate_rows.h"

namespace tsln {

// One rate-label caption per row, in row order.
using RateCaptions = std::array<std::string, kResolutionCount>;

// "60" ... "120"; a selector in ladder mode holds the index + 1.
extern const std::array<const char*, 7> kRateLadder;

enum class ListSyntax { Normal, Compressed, Mask };

}  // namespace tsln
