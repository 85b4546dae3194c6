// The TV-Out entries: the one place that knows how they are kept in the
// registry.
#include "modes/dimension.h"
#include "platform/registry_helpers.h"
#include "settings/settings.h"
#include "settings/stored_value.h"

namespace tsln {
namespace {

// Earlier versions of the program read these four, so they stay where they are.
const char* const kNames[4] = {"ResW1", "ResH1", "ResW2", "ResH2"};
// Four values take four writes. A change therefore first keeps all four texts
// here, "W1,H1,W2,H2", with a single RegSetValueEx, and removes it once the
// four read back: a power cut between them leaves it behind, and the next
// start finishes the change from it instead of reading a pair nobody typed
// (800x480 from 800x600 over 720x480).
const char kPending[] = "TvOutPending";

bool IsStorable(const std::string& text) {
    return text.empty() || IsDimension(text);
}

std::array<const std::string*, 4> Texts(const TvOutEntries& entries) {
    return {&entries[0].width, &entries[0].height, &entries[1].width, &entries[1].height};
}

std::string PendingText(const TvOutEntries& entries) {
    std::string text;
    for (const std::string* field : Texts(entries)) {
        if (field != &entries[0].width)
            text += ',';
        text += *field;
    }
    return text;
}

// False unless the text is four storable texts with a comma between each two.
bool ReadPending(RegistryApi& registry, TvOutEntries* entries) {
    TvOutEntries& e = *entries;
    const std::array<std::string*, 4> fields = {&e[0].width, &e[0].height, &e[1].width, &e[1].height};
    std::size_t field = 0;
    for (const char c : RegGetString(registry, kHkeyLocalMachine, kTsLnKey, kPending, "")) {
        if (c != ',')
            *fields[field] += c;
        else if (++field == fields.size())
            return false;
    }
    for (const std::string* text : fields) {
        if (!IsStorable(*text))
            return false;
    }
    return field == fields.size() - 1;
}

// Each value written and read back, so a refusal stops at the value it hit.
bool WriteValues(RegistryApi& registry, const TvOutEntries& entries) {
    const auto texts = Texts(entries);
    for (int i = 0; i < 4; ++i) {
        if (!WriteStoredText(registry, kTsLnKey, kNames[i], *texts[i]))
            return false;
    }
    return true;
}

}  // namespace

bool TvOutEntry::IsRow() const {
    return IsDimension(width) && IsDimension(height);
}

TvOutEntries Settings::TvOut() const {
    TvOutEntries pending;
    if (ReadPending(registry_, &pending))
        return pending;
    TvOutEntries entries;
    for (int i = 0; i < 2; ++i) {
        TvOutEntry entry{RegGetString(registry_, kHkeyLocalMachine, kTsLnKey, kNames[2 * i], ""),
                         RegGetString(registry_, kHkeyLocalMachine, kTsLnKey, kNames[2 * i + 1], "")};
        if (IsStorable(entry.width) && IsStorable(entry.height))
            entries[i] = entry;
    }
    return entries;
}

bool Settings::SetTvOut(const TvOutEntries& entries) {
    for (const std::string* text : Texts(entries)) {
        if (!IsStorable(*text))
            return false;
    }
    StoredValue before[4];
    for (int i = 0; i < 4; ++i)
        before[i] = ReadStoredValue(registry_, kTsLnKey, kNames[i]);
    const StoredValue pendingBefore = ReadStoredValue(registry_, kTsLnKey, kPending);
    const std::string pending = PendingText(entries);
    if (WriteStoredText(registry_, kTsLnKey, kPending, pending) && WriteValues(registry_, entries)) {
        // Stored: a journal the registry keeps after all only repeats the
        // same four values at the next start.
        RegDeleteValue(registry_, kHkeyLocalMachine, kTsLnKey, kPending);
        return true;
    }
    // The journal goes last, so a cut while the values go back still leaves a whole pair.
    for (int i = 3; i >= 0; --i)
        RestoreStoredValue(registry_, kTsLnKey, kNames[i], before[i]);
    RestoreStoredValue(registry_, kTsLnKey, kPending, pendingBefore);
    return false;
}

void Settings::CompleteTvOut() {
    if (!ReadStoredValue(registry_, kTsLnKey, kPending).found)
        return;
    TvOutEntries pending;
    // Left for the next start when the values cannot be written now;
    // meanwhile TvOut reads the change from it.
    if (ReadPending(registry_, &pending) && !WriteValues(registry_, pending))
        return;
    RegDeleteValue(registry_, kHkeyLocalMachine, kTsLnKey, kPending);
}

}  // namespace tsln
