#pragma once
// What the program takes from the monitor's EDID: the limits it may rely on,
// and the line the main window shows about the monitor.
#include <optional>
#include <string>

#include "monitor/edid.h"

namespace tsln {

struct MonitorLimits {
    int minVerticalHz = 0;
    int maxVerticalHz = 0;
    int minHorizontalKHz = 0;
    int maxHorizontalKHz = 0;
};

// The limits of a block that passes its checksum and whose ranges make sense
// (each minimum at most its maximum, the maxima above 0). A damaged block may
// hold any numbers, and rates fitted to them could leave the screen black.
std::optional<MonitorLimits> UsableLimits(const std::optional<Edid>& edid);

// "30-85 kHz, 50-160 Hz"
std::string LimitsText(const MonitorLimits& limits);

// The main window's line after "Monitor:", one of
//   SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz
//   SAM0108, 30-85 kHz, 50-160 Hz                  (the monitor gives no name)
//   SyncMaster (SAM0108), no limits reported       (no usable range descriptor)
//   SyncMaster (SAM0108), EDID damaged, limits not used   (the checksum fails)
//   not reported                                   (no EDID found)
std::string MonitorCaption(const std::optional<Edid>& edid);

}  // namespace tsln
