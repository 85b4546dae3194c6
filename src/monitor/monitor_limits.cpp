#include "monitor/monitor_limits.h"

namespace tsln {
namespace {

bool Contradictory(const MonitorRanges& r) {
    return r.maxVerticalHz <= 0 || r.maxHorizontalKHz <= 0 || r.minVerticalHz > r.maxVerticalHz ||
           r.minHorizontalKHz > r.maxHorizontalKHz;
}

}  // namespace

std::optional<MonitorLimits> UsableLimits(const std::optional<Edid>& edid) {
    if (!edid || !edid->checksumOk || !edid->ranges || Contradictory(*edid->ranges))
        return std::nullopt;
    const MonitorRanges& r = *edid->ranges;
    return MonitorLimits{r.minVerticalHz, r.maxVerticalHz, r.minHorizontalKHz, r.maxHorizontalKHz, r.maxPixelClockMHz};
}

LimitsInForce ChooseLimits(const std::optional<MonitorLimits>& byHand, const std::optional<Edid>& edid) {
    if (byHand)
        return {byHand, LimitsSource::Hand};
    const auto reported = UsableLimits(edid);
    return {reported, reported ? LimitsSource::Edid : LimitsSource::None};
}

std::string RangeText(int low, int high) {
    std::string text = std::to_string(low);
    text += '-';
    text += std::to_string(high);
    return text;
}

std::string LimitsText(const MonitorLimits& limits) {
    std::string text = RangeText(limits.minHorizontalKHz, limits.maxHorizontalKHz) + " kHz, " +
                       RangeText(limits.minVerticalHz, limits.maxVerticalHz) + " Hz";
    if (limits.maxPixelClockMHz > 0)
        text += ", " + std::to_string(limits.maxPixelClockMHz) + " MHz";
    return text;
}

std::string MonitorName(const std::optional<Edid>& edid) {
    if (!edid)
        return "not reported";
    return edid->name.empty() ? edid->pnpId : edid->name + " (" + edid->pnpId + ")";
}

std::string MonitorCaption(const std::optional<Edid>& edid, const LimitsInForce& inForce) {
    const std::string who = MonitorName(edid);
    if (inForce.source == LimitsSource::Hand)
        return who + ", " + LimitsText(*inForce.limits) + " (set by hand)";
    if (!edid)
        return who;
    if (!edid->checksumOk)
        return who + ", EDID damaged, limits not used";
    if (!edid->ranges)
        return who + ", no limits reported";
    if (Contradictory(*edid->ranges))
        return who + ", ranges not usable";
    return who + ", " + LimitsText(*UsableLimits(edid));
}

}  // namespace tsln
