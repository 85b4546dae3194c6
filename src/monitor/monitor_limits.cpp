#include "monitor/monitor_limits.h"

namespace tsln {

std::optional<MonitorLimits> UsableLimits(const std::optional<Edid>& edid) {
    if (!edid || !edid->checksumOk || !edid->ranges)
        return std::nullopt;
    const MonitorRanges& r = *edid->ranges;
    if (r.maxVerticalHz <= 0 || r.maxHorizontalKHz <= 0 || r.minVerticalHz > r.maxVerticalHz ||
        r.minHorizontalKHz > r.maxHorizontalKHz) {
        return std::nullopt;
    }
    return MonitorLimits{r.minVerticalHz, r.maxVerticalHz, r.minHorizontalKHz, r.maxHorizontalKHz};
}

std::string LimitsText(const MonitorLimits& limits) {
    return std::to_string(limits.minHorizontalKHz) + "-" + std::to_string(limits.maxHorizontalKHz) + " kHz, " +
           std::to_string(limits.minVerticalHz) + "-" + std::to_string(limits.maxVerticalHz) + " Hz";
}

std::string MonitorCaption(const std::optional<Edid>& edid) {
    if (!edid)
        return "not reported";
    const std::string who = edid->name.empty() ? edid->pnpId : edid->name + " (" + edid->pnpId + ")";
    if (!edid->checksumOk)
        return who + ", EDID damaged, limits not used";
    const auto limits = UsableLimits(edid);
    return who + ", " + (limits ? LimitsText(*limits) : std::string("no limits reported"));
}

}  // namespace tsln
