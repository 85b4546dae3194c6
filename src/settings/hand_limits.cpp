// The limits set by hand: the one place that knows how they are laid out in
// the registry.
#include "platform/registry_helpers.h"
#include "settings/settings.h"
#include "settings/stored_value.h"

namespace tsln {
namespace {

const char kMonitorsKey[] = "SOFTWARE\\TSLN\\Monitors\\";
// One value, so that a power cut leaves the old limits or the new ones, never
// a range of each.
const char kLimits[] = "Limits";
// Earlier versions kept one range a value. They are read while "Limits" is
// missing, so an update keeps what the user set, and go with the next change.
const char kOldHorizontal[] = "HorizontalKHz";
const char kOldVertical[] = "VerticalHz";

}  // namespace

std::string HandLimitsKey(const std::string& monitorId) {
    std::string key = kMonitorsKey + monitorId;
    for (std::size_t i = sizeof kMonitorsKey - 1; i < key.size(); ++i) {
        if (key[i] == '\\')
            key[i] = '#';
    }
    return key;
}

std::optional<std::string> Settings::HandLimits(const std::string& monitorId) const {
    if (monitorId.empty())
        return std::nullopt;
    const std::string key = HandLimitsKey(monitorId);
    if (ReadStoredValue(registry_, key, kLimits).found)
        return ReadStoredText(registry_, key, kLimits);
    const auto horizontal = ReadStoredText(registry_, key, kOldHorizontal);
    const auto vertical = ReadStoredText(registry_, key, kOldVertical);
    if (!horizontal || !vertical)
        return std::nullopt;
    return *horizontal + " " + *vertical;
}

bool Settings::SetHandLimits(const std::string& monitorId, const std::optional<std::string>& text) {
    if (monitorId.empty())
        return false;
    const std::string key = HandLimitsKey(monitorId);
    if (text) {
        const StoredValue before = ReadStoredValue(registry_, key, kLimits);
        if (!WriteStoredText(registry_, key, kLimits, *text)) {
            RestoreStoredValue(registry_, key, kLimits, before);
            return false;
        }
        // The new value is in force from here on: the old pair is only tidied away.
        RegDeleteValue(registry_, kHkeyLocalMachine, key, kOldHorizontal);
        RegDeleteValue(registry_, kHkeyLocalMachine, key, kOldVertical);
        return true;
    }
    // "Limits" goes last: while it is there, it is what is in force, so a cut
    // part of the way leaves the limits as they were.
    const char* const names[3] = {kOldHorizontal, kOldVertical, kLimits};
    StoredValue before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = ReadStoredValue(registry_, key, names[i]);
    bool done = true;
    for (int i = 0; i < 3 && done; ++i) {
        RegDeleteValue(registry_, kHkeyLocalMachine, key, names[i]);
        done = !ReadStoredValue(registry_, key, names[i]).found;
    }
    if (!done) {
        for (int i = 2; i >= 0; --i)
            RestoreStoredValue(registry_, key, names[i], before[i]);
        return false;
    }
    RegDeleteEmptyKey(registry_, kHkeyLocalMachine, key);
    RegDeleteEmptyKey(registry_, kHkeyLocalMachine, key.substr(0, sizeof kMonitorsKey - 2));
    return true;
}

}  // namespace tsln
