#pragma once
// Undoing the last change of a driver's mode list. Every write of a mode list
// keeps what it replaces first, so a rate the monitor cannot show is never
// more than one undo away, also from Safe Mode where the main window cannot
// start.
#include <string>

#include "state/system.h"

namespace tsln {

// Keeps the value being replaced as the undo record, then writes text. False,
// with the driver's value untouched, when the record does not read back
// exactly or the list does not.
bool WriteModeListKeepingUndo(System& system, const std::string& driverRegPath, const std::string& valueName,
                              const std::string& text);

// A record exists for this driver key and value name.
bool HasUndoFor(RegistryApi& registry, const std::string& driverRegPath, const std::string& valueName);

// "/undo", as typed at Start > Run in any case and with blanks after it.
bool IsUndoCommand(const std::string& commandLine);

// The undo as the user meets it: the question, the restore and what came of
// it, on the key and value name the record names. What the undo replaces
// becomes the new record, so a second undo redoes the change.
void UndoLastChange(System& system);

}  // namespace tsln
