#include "modes/resolutions.h"

namespace tsln {

// 848x480, 1280x720 and 1360x768 are newer modes that only the mask syntax can
// describe; 1600x900 exists in the compressed list but never had a normal row.
// clang-format off
const std::array<ResolutionInfo, kResolutionCount> kResolutions = {{
    {320, 200, true, true},
    {320, 240, true, true},
    {400, 300, true, true},
    {480, 360, true, true},
    {512, 384, true, true},
    {640, 400, true, true},
    {640, 480, true, true},
    {800, 600, true, true},
    {848, 480, false, false},
    {1024, 768, true, true},
    {1152, 864, true, true},
    {1280, 720, false, false},
    {1280, 768, true, true},
    {1280, 960, true, true},
    {1280, 1024, true, true},
    {1360, 768, false, false},
    {1600, 900, false, true},
    {1600, 1024, true, true},
    {1600, 1200, true, true},
    {1920, 1080, true, true},
    {1920, 1200, true, true},
    {1920, 1440, true, true},
    {2048, 1536, true, true},
}};
// clang-format on

const std::array<const char*, 7> kRateLadder = {"60", "70", "72", "75", "85", "100", "120"};

}  // namespace tsln
