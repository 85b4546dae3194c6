#include "settings/settings.h"

#include "platform/registry_helpers.h"
#include "settings/stored_value.h"

namespace tsln {

const char kTsLnKey[] = "SOFTWARE\\TSLN";

namespace {

const char kLastDetVersion[] = "LastDetVersion";
const char kLoadOnStartup[] = "LoadOnStartup";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunEntry[] = "TSLN";

}  // namespace

std::string Settings::LastDetVersion() const {
    return RegGetString(registry_, kHkeyLocalMachine, kTsLnKey, kLastDetVersion, "");
}

void Settings::SetLastDetVersion(const std::string& version) {
    RegSetString(registry_, kHkeyLocalMachine, kTsLnKey, kLastDetVersion, version);
}

bool Settings::LoadOnStartup() const {
    return RegGetDword(registry_, kHkeyLocalMachine, kTsLnKey, kLoadOnStartup, 0) == 1;
}

bool Settings::SetLoadOnStartup(bool on, const std::string& command) {
    const StoredValue flagBefore = ReadStoredValue(registry_, kTsLnKey, kLoadOnStartup);
    const StoredValue runBefore = ReadStoredValue(registry_, kRunKey, kRunEntry);
    bool done = false;
    if (on) {
        RegSetDword(registry_, kHkeyLocalMachine, kTsLnKey, kLoadOnStartup, 1);
        if (LoadOnStartup()) {
            RegSetString(registry_, kHkeyLocalMachine, kRunKey, kRunEntry, command);
            done = RegGetString(registry_, kHkeyLocalMachine, kRunKey, kRunEntry, "") == command;
        }
    } else {
        RegDeleteValue(registry_, kHkeyLocalMachine, kTsLnKey, kLoadOnStartup);
        if (!ReadStoredValue(registry_, kTsLnKey, kLoadOnStartup).found) {
            RegDeleteValue(registry_, kHkeyLocalMachine, kRunKey, kRunEntry);
            done = !ReadStoredValue(registry_, kRunKey, kRunEntry).found;
        }
    }
    if (!done) {
        RestoreStoredValue(registry_, kRunKey, kRunEntry, runBefore);
        RestoreStoredValue(registry_, kTsLnKey, kLoadOnStartup, flagBefore);
    }
    return done;
}

}  // namespace tsln
