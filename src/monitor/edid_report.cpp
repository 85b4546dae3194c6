#include "monitor/edid_report.h"

namespace tsln {

std::string RangesText(const MonitorRanges& ranges) {
    std::string text = std::to_string(ranges.minVerticalHz) + "-" + std::to_string(ranges.maxVerticalHz) + " Hz V, " +
                       std::to_string(ranges.minHorizontalKHz) + "-" + std::to_string(ranges.maxHorizontalKHz) +
                       " kHz H";
    if (ranges.maxPixelClockMHz > 0)
        text += ", max dotclock " + std::to_string(ranges.maxPixelClockMHz) + " MHz";
    return text;
}

std::string FormatEdidReport(const std::optional<Edid>& edid) {
    if (!edid)
        return "no EDID\n";
    std::string text;
    text += "pnp-id: " + edid->pnpId + "\n";
    text += "name: " + (edid->name.empty() ? std::string("-") : edid->name) + "\n";
    text += "version: " + std::to_string(edid->version) + "." + std::to_string(edid->revision) + "\n";
    text += std::string("checksum: ") + (edid->checksumOk ? "ok" : "bad") + "\n";
    text += "ranges: " + (edid->ranges ? RangesText(*edid->ranges) : std::string("none")) + "\n";
    for (const ListedTiming& timing : edid->listed)
        text += "listed: " + ListedTimingText(timing) + "\n";
    return text;
}

}  // namespace tsln
