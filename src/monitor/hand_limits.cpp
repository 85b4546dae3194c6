#include "monitor/hand_limits.h"

#include "modes/number_text.h"
#include "settings/settings.h"

namespace tsln {

std::optional<int> LimitNumber(const std::string& text) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const auto number = ParseWholeNumber(text);
    if (!number || *number < kLowestLimit || *number > kHighestLimit)
        return std::nullopt;
    return static_cast<int>(*number);
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

std::string MonitorId(const std::string& deviceId, const std::optional<Edid>& edid) {
    if (edid)
        return edid->serial.empty() ? edid->pnpId : edid->pnpId + "\\" + edid->serial;
    return deviceId;
}

std::optional<MonitorLimits> ReadHandLimits(RegistryApi& registry, const std::string& monitorId) {
    const auto texts = Settings(registry).HandLimits(monitorId);
    if (!texts)
        return std::nullopt;
    const auto horizontal = ParseLimitRange(texts->horizontalKHz);
    const auto vertical = ParseLimitRange(texts->verticalHz);
    if (!horizontal || !vertical)
        return std::nullopt;
    return MonitorLimits{vertical->low, vertical->high, horizontal->low, horizontal->high};
}

bool WriteHandLimits(RegistryApi& registry, const std::string& monitorId, const std::optional<MonitorLimits>& limits) {
    std::optional<HandLimitTexts> texts;
    if (limits) {
        texts = HandLimitTexts{RangeText(limits->minHorizontalKHz, limits->maxHorizontalKHz),
                               RangeText(limits->minVerticalHz, limits->maxVerticalHz)};
    }
    return Settings(registry).SetHandLimits(monitorId, texts);
}

}  // namespace tsln
