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

// Nothing for a value that is missing or holds no text: a sentinel no
// stored text holds tells the two apart from an empty text.
std::optional<std::string> ReadText(RegistryApi& registry, const std::string& key, const char* name) {
    const std::string missing(1, '\x01');
    std::string text = RegGetString(registry, kHkeyLocalMachine, key, name, missing);
    if (text == missing)
        return std::nullopt;
    return text;
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
    const char* const names[2] = {kHorizontal, kVertical};
    const std::string* const wanted[2] = {texts ? &texts->horizontalKHz : nullptr,
                                          texts ? &texts->verticalHz : nullptr};
    StoredValue before[2];
    bool done = true;
    for (int i = 0; i < 2; ++i) {
        before[i] = ReadStoredValue(registry_, key, names[i]);
        if (wanted[i] != nullptr)
            RegSetString(registry_, kHkeyLocalMachine, key, names[i], *wanted[i]);
        else
            RegDeleteValue(registry_, kHkeyLocalMachine, key, names[i]);
    }
    for (int i = 0; i < 2 && done; ++i) {
        done = wanted[i] != nullptr ? ReadText(registry_, key, names[i]) == *wanted[i]
                                    : !ReadStoredValue(registry_, key, names[i]).found;
    }
    for (int i = 1; !done && i >= 0; --i)
        RestoreStoredValue(registry_, key, names[i], before[i]);
    return done;
}

}  // namespace tsln
