#include "app/undo.h"

#include "platform/names.h"
#include "platform/one_line.h"
#include "platform/registry_helpers.h"
#include "settings/settings.h"

namespace tsln {
namespace {

const char kNothingToUndo[] = "There is no change to undo.";
const char kUndoQuestion[] = "Restore the mode list as it was before the change of ";
const char kRedoQuestion[] = "Apply the change of ";
const char kUndoDone[] = "Mode list restored. Please remember to REBOOT your computer for changes to take effect";
const char kRedoDone[] = "Change applied again. Please remember to REBOOT your computer for changes to take effect";
const char kChangedSince[] = "The mode list has changed since ";
const char kWriteError[] = "Error writing to the registry";
const char kDriverGone[] = "The display driver of the change of ";

bool IsText(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz;
}

// As the "Added registry value" line shows a list: its text, on its one line
// whatever it holds. A value of another type (put there by hand) shows its
// bytes as regedit writes them.
std::string LoggedValue(const StoredValue& value) {
    if (!value.found)
        return "(none)";
    if (IsText(value.type)) {
        std::string text(value.data.begin(), value.data.end());
        return OneLine(text.substr(0, text.find('\0')));
    }
    const char* const digits = "0123456789abcdef";
    std::string text = "hex(" + std::to_string(value.type) + "):";
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        text += i == 0 ? "" : ",";
        text += digits[value.data[i] >> 4];
        text += digits[value.data[i] & 15];
    }
    return text;
}

// Writes value and reads it back: the registry helpers stay silent about a
// refused write, so the read-back is the only way to know. A mode list only
// ever goes into a driver key that is there: one made anew would belong to no
// driver.
bool PutValue(RegistryApi& registry, const std::string& key, const std::string& name, const StoredValue& value) {
    RestoreStoredValue(registry, key, name, value, MissingKey::Leave);
    return ReadStoredValue(registry, key, name) == value;
}

bool IsFor(const UndoRecord& record, const std::string& driverRegPath, const std::string& valueName) {
    return SameName(record.key, driverRegPath) && SameName(record.valueName, valueName);
}

void UndoOrRedo(System& system, const std::string* driverRegPath, const std::string* valueName) {
    const auto record = Settings(system.registry).Undo();
    if (!record || (driverRegPath && !IsFor(*record, *driverRegPath, *valueName))) {
        system.messages.Show(kNothingToUndo, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    // A driver reinstalled since lives under another key: the record's is gone with the old one.
    if (!RegKeyExists(system.registry, kHkeyLocalMachine, record->key)) {
        system.messages.Show(kDriverGone + record->saved + " is no longer installed; nothing was restored.",
                             MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    const StoredValue now = ReadStoredValue(system.registry, record->key, record->valueName);
    // Checked first: a change that wrote the value already there is undone, never offered again.
    const bool undo = now == record->written;
    if (!undo && !(now == record->before)) {
        // The driver or a person changed it since: either side would overwrite
        // their change. An error, as the undo asked for did not happen: a
        // script running the console must not take it for done.
        system.messages.Show(kChangedSince + record->saved + "; nothing was restored.", MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    const std::string question = undo ? kUndoQuestion + record->saved + "?" : kRedoQuestion + record->saved + " again?";
    if (system.messages.Show(question, MsgButtons::YesNoDefaultNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;

    const StoredValue& target = undo ? record->before : record->written;
    // The log line goes first, as for Apply: debug.txt never misses a value
    // that reached the driver.
    const bool logged = system.files.Append(system.programFolder + "\\debug.txt",
                                            "Restored registry value: " + LoggedValue(target) + "\r\n");
    if (!logged || !PutValue(system.registry, record->key, record->valueName, target)) {
        system.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    system.messages.Show(undo ? kUndoDone : kRedoDone, MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace

bool WriteModeListKeepingUndo(System& system, const std::string& driverRegPath, const std::string& valueName,
                              const std::string& text) {
    Settings settings(system.registry);
    const auto previous = settings.Undo();
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    const UndoRecord record{driverRegPath, valueName, ReadStoredValue(system.registry, driverRegPath, valueName),
                            StoredValue{true, kRegSz, bytes}, system.clock.Stamp()};
    if (settings.SetUndo(record) && PutValue(system.registry, driverRegPath, valueName, record.written))
        return true;
    // Nothing changed, so there is nothing new to undo: the record goes back
    // to the change before, and the menu never offers to undo a refused write.
    if (previous)
        settings.SetUndo(*previous);
    else
        settings.ClearUndo();
    return false;
}

bool IsUndoCommand(const std::string& commandLine) {
    const auto end = commandLine.find_last_not_of(" \t");
    return SameName(commandLine.substr(0, end == std::string::npos ? 0 : end + 1), "/undo");
}

bool HasUndoFor(RegistryApi& registry, const std::string& driverRegPath, const std::string& valueName) {
    const auto record = Settings(registry).Undo();
    return record && IsFor(*record, driverRegPath, valueName);
}

void UndoLastChange(System& system) {
    UndoOrRedo(system, nullptr, nullptr);
}

void UndoLastChangeOf(System& system, const std::string& driverRegPath, const std::string& valueName) {
    UndoOrRedo(system, &driverRegPath, &valueName);
}

}  // namespace tsln
