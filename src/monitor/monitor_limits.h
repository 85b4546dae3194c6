#pragma once
// The limits the program goes by: the ones the user set by hand for this
// monitor, else the ones its EDID reports; and the lines that say which.
#include <optional>
#include <string>

#include "monitor/edid.h"

namespace tsln {

struct MonitorLimits {
    int minVerticalHz = 0;
    int maxVerticalHz = 0;
    int minHorizontalKHz = 0;
    int maxHorizontalKHz = 0;
    int maxPixelClockMHz = 0;  // 0: none known
};

enum class LimitsSource { None, Edid, Hand };

struct LimitsInForce {
    std::optional<MonitorLimits> limits;
    LimitsSource source = LimitsSource::None;
};

// The limits of a block that passes its checksum and whose ranges make sense
// (each minimum at most its maximum, the maxima above 0). A damaged block may
// hold any numbers, and rates fitted to them could leave the screen black.
std::optional<MonitorLimits> UsableLimits(const std::optional<Edid>& edid);

// Set by hand first: the user knows the monitor better than a wrong EDID.
LimitsInForce ChooseLimits(const std::optional<MonitorLimits>& byHand, const std::optional<Edid>& edid);

// "30-85 kHz, 50-160 Hz", "30-96 kHz, 50-160 Hz, 230 MHz" with a pixel clock
std::string LimitsText(const MonitorLimits& limits);

// "30-85": one range, as the texts and the registry write it.
std::string RangeText(int low, int high);

// The monitor as the window names it: "SyncMaster (SAM0108)", "SAM0108"
// (it gives no name) or "not reported" (no EDID found).
std::string MonitorName(const std::optional<Edid>& edid);

// The main window's line after "Monitor:", one of
//   SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz
//   SyncMaster (SAM002F), 30-96 kHz, 50-160 Hz, 230 MHz   (a pixel clock known)
//   SAM0108, 30-85 kHz, 50-160 Hz                  (the monitor gives no name)
//   SyncMaster (SAM0108), no limits reported       (no range descriptor)
//   SyncMaster (SAM0108), ranges not usable        (a minimum above its maximum, a maximum of 0)
//   SyncMaster (SAM0108), EDID damaged, limits not used   (the checksum fails)
//   not reported                                   (no EDID found)
//   SyncMaster (SAM0108), 30-96 kHz, 50-160 Hz (set by hand)
//   not reported, 30-70 kHz, 50-120 Hz (set by hand)
std::string MonitorCaption(const std::optional<Edid>& edid, const LimitsInForce& inForce);

}  // namespace tsln
