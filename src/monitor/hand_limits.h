#pragma once
// Limits the user sets by hand for one monitor: a monitor behind a KVM switch
// or an adapter cable reports none, and a cheap CRT may report less than it
// takes. They belong to that monitor alone: another one plugged in later goes
// by what it reports itself.
#include <optional>
#include <string>

#include "monitor/edid.h"
#include "monitor/monitor_limits.h"
#include "platform/registry_api.h"

namespace tsln {

// Each end of a range, in kHz or Hz.
constexpr int kLowestLimit = 1;
constexpr int kHighestLimit = 500;
// The highest pixel clock, in MHz: what an EDID's range descriptor can name.
constexpr int kHighestPixelClock = 2550;

// One box of the dialog: a whole number from 1 to 500, digits only.
std::optional<int> LimitNumber(const std::string& text);
// A pixel clock: a whole number from 1 to 2550, digits only.
std::optional<int> PixelClockNumber(const std::string& text);

struct LimitRange {
    int low = 0;
    int high = 0;
};

// "30-96", as the registry and the console hold a range: two such numbers,
// the lowest first.
std::optional<LimitRange> ParseLimitRange(const std::string& text);

// "30-96 50-160" or "30-96 50-160 230": the kHz range, the Hz range and the
// highest pixel clock in MHz if one is set, one space between; as the
// registry keeps them and the console takes them.
std::optional<MonitorLimits> ParseHandLimits(const std::string& text);
std::string HandLimitsText(const MonitorLimits& limits);

// What names the monitor: its PnP ID and the EDID's serial number
// ("SAM002F\HXAK600123"; the PnP ID alone when the EDID has no serial), else
// the device ID Windows reports for it. Empty when there is no monitor.
std::string MonitorId(const std::string& deviceId, const std::optional<Edid>& edid);

// Nothing when none are stored for this monitor, or when what is stored is
// not what the dialog would take (written by hand or by another tool).
std::optional<MonitorLimits> ReadHandLimits(RegistryApi& registry, const std::string& monitorId);

// Stores the limits as HandLimitsText gives them, or with nothing removes
// them. True only when the registry reads back what was meant; otherwise
// nothing has changed.
bool WriteHandLimits(RegistryApi& registry, const std::string& monitorId, const std::optional<MonitorLimits>& limits);

}  // namespace tsln
