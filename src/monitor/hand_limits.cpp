#include "monitor/hand_limits.h"

#include "modes/number_text.h"
#include "settings/settings.h"

namespace tsln {
namespace {

std::optional<int> NumberUpTo(const std::string& text, int highest) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const auto number = ParseWholeNumber(text);
    if (!number || *number < kLowestLimit || *number > highest)
        return std::nullopt;
    return static_cast<int>(*number);
}

}  // namespace

std::optional<int> LimitNumber(const std::string& text) {
    return NumberUpTo(text, kHighestLimit);
}

std::optional<int> PixelClockNumber(const std::string& text) {
    return NumberUpTo(text, kHighestPixelClock);
}

std::optional<LimitRange> ParseLimitRange(const std::string& text) {
    const std::size_t dash = text.find('-');
    if (dash == std::string::npos)
        return std::nullopt;
    const auto low = LimitNumber(text.substr(0, dash));
    const auto high = LimitNumber(text.substr(dash + 1));
    if (!low || !high || *low > *high)
        return std::nullopt;
    return LimitRange{*low, *high};
}

std::optional<MonitorLimits> ParseHandLimits(const std::string& text) {
    const std::size_t first = text.find(' ');
    const std::size_t second = first == std::string::npos ? first : text.find(' ', first + 1);
    const auto horizontal = ParseLimitRange(text.substr(0, first));
    const auto vertical =
        first == std::string::npos ? std::nullopt : ParseLimitRange(text.substr(first + 1, second - first - 1));
    if (!horizontal || !vertical)
        return std::nullopt;
    MonitorLimits limits{vertical->low, vertical->high, horizontal->low, horizontal->high};
    if (second != std::string::npos) {
        const auto clock = PixelClockNumber(text.substr(second + 1));
        if (!clock)
            return std::nullopt;
        limits.maxPixelClockMHz = *clock;
    }
    return limits;
}

std::string HandLimitsText(const MonitorLimits& limits) {
    std::string text = RangeText(limits.minHorizontalKHz, limits.maxHorizontalKHz) + ' ' +
                       RangeText(limits.minVerticalHz, limits.maxVerticalHz);
    if (limits.maxPixelClockMHz > 0)
        text += ' ' + std::to_string(limits.maxPixelClockMHz);
    return text;
}

std::string MonitorId(const std::string& deviceId, const std::optional<Edid>& edid) {
    if (edid)
        return edid->serial.empty() ? edid->pnpId : edid->pnpId + "\\" + edid->serial;
    return deviceId;
}

std::optional<MonitorLimits> ReadHandLimits(RegistryApi& registry, const std::string& monitorId) {
    const auto text = Settings(registry).HandLimits(monitorId);
    return text ? ParseHandLimits(*text) : std::nullopt;
}

bool WriteHandLimits(RegistryApi& registry, const std::string& monitorId, const std::optional<MonitorLimits>& limits) {
    return Settings(registry).SetHandLimits(
        monitorId, limits ? std::optional<std::string>(HandLimitsText(*limits)) : std::nullopt);
}

}  // namespace tsln
