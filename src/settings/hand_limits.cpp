// The limits set by hand: the one place that knows how they are laid out in
// the registry.
#include "platform/registry_helpers.h"
#include "settings/settings.h"
#include "settings/stored_value.h"

namespace tsln {
namespace {

const char kMonitorsKey[] = "SOFTWARE\\TSLN\\Monitors\\";
const char kHorizontal[] = "HorizontalKHz";
const char kVertical[] = "VerticalHz";

std::optional<std::string> ReadText(RegistryApi& registry, const std::string& key, const char* name) {
    const StoredValue stored = ReadStoredValue(registry, key, name);
    if (!stored.found || stored.type != kRegSz)
        return std::nullopt;
    return RegGetString(registry, kHkeyLocalMachine, key, name, "");
}

}  // namespace

std::string HandLimitsKey(const std::string& monitorId) {
    std::string key = kMonitorsKey + monitorId;
    for (std::size_t i = sizeof kMonitorsKey - 1; i < key.size(); ++i) {
        if (key[i] == '\\')
            key[i] = '#';
    }
    return key;
}

std::optional<HandLimitTexts> Settings::HandLimits(const std::string& monitorId) const {
    if (monitorId.empty())
        return std::nullopt;
    const std::string key = HandLimitsKey(monitorId);
    const auto horizontal = ReadText(registry_, key, kHorizontal);
    const auto vertical = ReadText(registry_, key, kVertical);
    if (!horizontal || !vertical)
        return std::nullopt;
    return HandLimitTexts{*horizontal, *vertical};
}

bool Settings::SetHandLimits(const std::string& monitorId, const std::optional<HandLimitTexts>& texts) {
    if (monitorId.empty())
        return false;
    const std::string key = HandLimitsKey(monitorId);
    const StoredValue horizontalBefore = ReadStoredValue(registry_, key, kHorizontal);
    const StoredValue verticalBefore = ReadStoredValue(registry_, key, kVertical);
    bool done = false;
    if (texts) {
        RegSetString(registry_, kHkeyLocalMachine, key, kHorizontal, texts->horizontalKHz);
        RegSetString(registry_, kHkeyLocalMachine, key, kVertical, texts->verticalHz);
        const auto stored = HandLimits(monitorId);
        done = stored && stored->horizontalKHz == texts->horizontalKHz && stored->verticalHz == texts->verticalHz;
    } else {
        RegDeleteValue(registry_, kHkeyLocalMachine, key, kHorizontal);
        RegDeleteValue(registry_, kHkeyLocalMachine, key, kVertical);
        done = !ReadStoredValue(registry_, key, kHorizontal).found && !ReadStoredValue(registry_, key, kVertical).found;
    }
    if (!done) {
        RestoreStoredValue(registry_, key, kVertical, verticalBefore);
        RestoreStoredValue(registry_, key, kHorizontal, horizontalBefore);
    }
    return done;
}

}  // namespace tsln
