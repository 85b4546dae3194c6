#pragma once
// Undoing the last change of a driver's mode list. Every write of a mode list
// keeps what it replaces first, so a rate the monitor cannot show is never
// more than one undo away, also from Safe Mode where the main window cannot
// start.
#include <string>

#include "state/system.h"

namespace tsln {

// Keeps the value being replaced and text as the undo record, then writes
// text. False, with the driver's value and the record as they were, when the
// record does not read back exactly or the list does not.
bool WriteModeListKeepingUndo(System& system, const std::string& driverRegPath, const std::string& valueName,
                              const std::string& text);

// A record exists for this driver key and value name.
bool HasUndoFor(RegistryApi& registry, const std::string& driverRegPath, const std::string& valueName);

// "/undo", as typed at Start > Run in any case and with blanks after it.
bool IsUndoCommand(const std::string& commandLine);

// The undo as the user meets it: the question, the write and what came of it.
// The record is never rewritten: when the value holds what the change wrote,
// the value before comes back; when it holds the value before, the change is
// offered again; when it holds neither, nothing is written. Without a
// start-up (Safe Mode) any record goes, on the key and value name it names.
void UndoLastChange(System& system);
// After a start-up: only a record of this adapter's key and value name.
void UndoLastChangeOf(System& system, const std::string& driverRegPath, const std::string& valueName);

}  // namespace tsln
