#pragma once
// What the TV-Out dialog's OK does with the four boxes, for every caller that
// stores the pair: the dialog, and loading a choices file.
#include "settings/settings.h"
#include "state/owner_window.h"
#include "state/program_state.h"
#include "state/system.h"

namespace tsln {

// The entries as typed: an empty box or a "0" clears its entry; a box holding
// anything else that no list can carry is named in an error box, and then
// nothing is stored (false); so is a pair the registry refuses. Otherwise the
// pair is stored, the program-wide list fragments rebuilt and "Added
// Resolutions: ..." shown again.
bool StoreTvOutEntries(System& system, ProgramState& state, OwnerWindow& owner, const TvOutEntries& typed);

}  // namespace tsln
