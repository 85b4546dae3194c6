#pragma once
// The fixed timings an EDID names by code rather than spelling out: VESA's
// Display Monitor Timings that a standard timing can name, and the IBM and
// Apple modes of the established-timing bits.
#include <cstddef>
#include <cstdint>

namespace tsln {

struct VesaTiming {
    std::uint16_t width;
    std::uint16_t height;
    // The rate a standard timing names the mode by, 0 when none can: not
    // always the mode's own (VESA codes 1024 x 768 at 70 Hz as 72).
    std::uint8_t standardRate;
    bool interlaced;
    std::uint16_t totalPixels;
    std::uint16_t totalLines;
    std::uint32_t pixelClockKHz;
};

// The first kEstablishedCount in the order of the established-timing bits,
// from bit 7 of byte 35 to bit 7 of byte 37.
constexpr std::size_t kEstablishedCount = 17;
extern const VesaTiming kVesaTimings[];
extern const std::size_t kVesaTimingCount;

}  // namespace tsln
