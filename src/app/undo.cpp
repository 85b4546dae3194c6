#include "app/undo.h"

#include "editor/mode_list_writer.h"
#include "platform/names.h"
#include "platform/one_line.h"
#include "settings/settings.h"

namespace tsln {
namespace {

const char kNothingToUndo[] = "There is no change to undo.";
const char kUndoQuestion[] = "Restore the mode list as it was before the change of ";
const char kUndoDone[] = "Mode list restored. Please remember to REBOOT your computer for changes to take effect";
const char kWriteError[] = "Error writing to the registry";

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

}  // namespace

bool WriteModeListKeepingUndo(System& system, const std::string& driverRegPath, const std::string& valueName,
                              const std::string& text) {
    Settings settings(system.registry);
    const auto previous = settings.Undo();
    const UndoRecord record{driverRegPath, valueName, ReadStoredValue(system.registry, driverRegPath, valueName),
                            system.clock.Stamp()};
    if (!settings.SetUndo(record))
        return false;
    if (WriteModeList(system.registry, driverRegPath, valueName, text))
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
    return record && SameName(record->key, driverRegPath) && SameName(record->valueName, valueName);
}

void UndoLastChange(System& system) {
    Settings settings(system.registry);
    const auto record = settings.Undo();
    if (!record) {
        system.messages.Show(kNothingToUndo, MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    const std::string question = kUndoQuestion + record->saved + "?";
    if (system.messages.Show(question, MsgButtons::YesNoDefaultNo, MsgIcon::Question) != MsgAnswer::Yes)
        return;

    const UndoRecord redo{record->key, record->valueName,
                          ReadStoredValue(system.registry, record->key, record->valueName), system.clock.Stamp()};
    // The log line goes first, as for Apply: debug.txt never misses a value
    // that reached the driver.
    const bool logged = system.files.Append(system.programFolder + "\\debug.txt",
                                            "Restored registry value: " + LoggedValue(record->value) + "\r\n");
    if (!logged || !settings.SetUndo(redo)) {
        system.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    RestoreStoredValue(system.registry, record->key, record->valueName, record->value);
    if (!(ReadStoredValue(system.registry, record->key, record->valueName) == record->value)) {
        // The restore did not take: keep the record that can still put the value back.
        settings.SetUndo(*record);
        system.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    system.messages.Show(kUndoDone, MsgButtons::Ok, MsgIcon::Information);
}

}  // namespace tsln
