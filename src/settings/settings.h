#pragma once
// The program's own values: HKEY_LOCAL_MACHINE\SOFTWARE\TSLN and the Run
// entry that starts the program with Windows. Every window reads and writes
// them here, so each registry name is spelled once and every read goes
// through the same checks.
#include <array>
#include <optional>
#include <string>

#include "platform/registry_api.h"
#include "settings/stored_value.h"

namespace tsln {

extern const char kTsLnKey[];  // "SOFTWARE\TSLN"

struct TvOutEntry {
    std::string width;
    std::string height;
    // Both texts are a width and height the mode lists hold, so the entry
    // adds a row; the same rule as the dialog's and the list checker's.
    bool IsRow() const;
};
using TvOutEntries = std::array<TvOutEntry, 2>;

// Where Windows 2000 keeps the NVIDIA driver's settings; on XP the device map
// names a key under Control\Video instead.
extern const char kWindows2000DriverKey[];  // "SYSTEM\CurrentControlSet\Services\nv\Device0"

// The last write of a driver's mode list, both sides of it, so that an undo
// can tell whether the value still holds what was written. Only a mode-list
// value of a display driver key is a record: whatever else the registry holds
// there (put there by hand or by another program) is not one.
struct UndoRecord {
    std::string key;        // the driver key path as the program used it
    std::string valueName;  // the mode list's value name
    StoredValue before;     // not found: the write created the value
    StoredValue written;    // what the write put there
    std::string saved;      // local time of the write, "YYYY-MM-DD HH:MM:SS"
    bool operator==(const UndoRecord& o) const {
        return key == o.key && valueName == o.valueName && before == o.before && written == o.written &&
               saved == o.saved;
    }
};

// "SOFTWARE\TSLN\Monitors\" and the monitor's id with each backslash written
// as '#': a key name cannot hold a backslash, and Windows itself spells device
// paths that way ("MONITOR#Default_Monitor#{4D36E96E-...}#0000").
std::string HandLimitsKey(const std::string& monitorId);

class Settings {
public:
    explicit Settings(RegistryApi& registry) : registry_(registry) {}

    // The driver version of the last full start; empty when none is recorded.
    std::string LastDetVersion() const;
    void SetLastDetVersion(const std::string& version);

    // Registered to run at Windows start: "LoadOnStartup" is exactly 1.
    bool LoadOnStartup() const;
    // Switches "LoadOnStartup" and the Run entry (command) together, the flag
    // first and the Run entry only once the flag reads back as wanted. False
    // when the registry refused either; both are then as they were, so the
    // flag never says one thing while the Run entry does another.
    bool SetLoadOnStartup(bool on, const std::string& command);

    // "ResW1" ... "ResH2", or a change of them that a power cut left half
    // done. An entry with a value that is neither empty nor a width or height
    // the mode lists can hold (written by hand or by another tool) reads as
    // not stored, so it never reaches a list, a box, the label or the log.
    TvOutEntries TvOut() const;
    // Stores both entries as given, an unused one as two empty texts. True
    // only when all four values read back so; otherwise every value is put
    // back as it was. Whenever the power fails, the next start finds either
    // the old pair or the new one whole. A text TvOut would not read back is
    // not written.
    bool SetTvOut(const TvOutEntries& entries);
    // Finishes a change of the entries that a power cut interrupted, or drops
    // it when what it kept is no pair of entries. For the start-up, before
    // the entries are read.
    void CompleteTvOut();

    // Nothing when no record is stored, or what is stored is not a record.
    std::optional<UndoRecord> Undo() const;
    // Replaces the record with one registry write, so that it is either the
    // old record or the new one whenever the power fails. True only when it
    // reads back exactly as given; something that would not read back as a
    // record is not written.
    bool SetUndo(const UndoRecord& record);
    void ClearUndo();

    // The limits set by hand for one monitor as one text, "30-96 50-160" (kHz,
    // then Hz) or with the highest pixel clock after them, "30-96 50-160 230";
    // nothing when none are stored as text. What it means is for the caller to
    // check.
    std::optional<std::string> HandLimits(const std::string& monitorId) const;
    // Stores the text with one write, or with nothing removes the limits and
    // then the monitor's key once it holds nothing. True only when it reads
    // back so; otherwise the limits in force are the ones before.
    bool SetHandLimits(const std::string& monitorId, const std::optional<std::string>& text);

private:
    RegistryApi& registry_;
};

}  // namespace tsln
