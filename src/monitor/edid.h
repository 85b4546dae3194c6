#pragma once
// The monitor's EDID: the block every monitor since the late 1990s sends over
// the cable and Windows keeps in the registry. Only what the program needs is
// read: who made the monitor, its name, the limits it reports and the timings
// it lists.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/listed_timings.h"

namespace tsln {

constexpr std::size_t kEdidBlockSize = 128;

// The Display Range Limits descriptor (0xFD).
struct MonitorRanges {
    int minVerticalHz = 0;
    int maxVerticalHz = 0;
    int minHorizontalKHz = 0;
    int maxHorizontalKHz = 0;
    // 0 when the monitor names none: byte 9 is 0, or 0xFF (which would read
    // 2550 MHz; monitors that say it mean "no limit given").
    int maxPixelClockMHz = 0;
};

struct Edid {
    bool checksumOk = false;  // of the base block; a block that fails is still read
    int version = 0;
    int revision = 0;
    std::string pnpId;   // vendor letters and product code, as in the device ID: "SAM0108"
    std::string name;    // descriptor 0xFC, empty when none
    std::string serial;  // descriptor 0xFF, empty when none
    std::optional<MonitorRanges> ranges;
    std::vector<ListedTiming> listed;
};

// Reads the base block at the start of data. Nothing when there is no EDID:
// fewer than 128 bytes, or no header. Extension blocks are not read.
std::optional<Edid> ReadEdid(const std::uint8_t* data, std::size_t size);

inline std::optional<Edid> ReadEdid(const std::vector<std::uint8_t>& bytes) {
    return ReadEdid(bytes.data(), bytes.size());
}

}  // namespace tsln
