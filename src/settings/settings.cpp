#include "settings/settings.h"

#include "modes/dimension.h"
#include "platform/registry_helpers.h"
#include "settings/stored_value.h"

namespace tsln {

const char kTsLnKey[] = "SOFTWARE\\TSLN";

namespace {

const char kLastDetVersion[] = "LastDetVersion";
const char kLoadOnStartup[] = "LoadOnStartup";
const char kRunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunEntry[] = "TSLN";
const char* const kTvOutNames[2][2] = {{"ResW1", "ResH1"}, {"ResW2", "ResH2"}};

bool IsStorable(const std::string& text) {
    return text.empty() || IsDimension(text);
}

}  // namespace

bool TvOutEntry::IsRow() const {
    return IsDimension(width) && IsDimension(height);
}

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

TvOutEntries Settings::TvOut() const {
    TvOutEntries entries;
    for (int i = 0; i < 2; ++i) {
        TvOutEntry entry{RegGetString(registry_, kHkeyLocalMachine, kTsLnKey, kTvOutNames[i][0], ""),
                         RegGetString(registry_, kHkeyLocalMachine, kTsLnKey, kTvOutNames[i][1], "")};
        if (IsStorable(entry.width) && IsStorable(entry.height))
            entries[i] = entry;
    }
    return entries;
}

void Settings::SetTvOut(const TvOutEntries& entries) {
    for (int i = 0; i < 2; ++i) {
        RegSetString(registry_, kHkeyLocalMachine, kTsLnKey, kTvOutNames[i][0], entries[i].width);
        RegSetString(registry_, kHkeyLocalMachine, kTsLnKey, kTvOutNames[i][1], entries[i].height);
    }
}

}  // namespace tsln
