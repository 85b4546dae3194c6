#include "tvout/tvout_store.h"

#include "modes/dimension.h"
#include "tvout/tvout_texts.h"

namespace tsln {

bool StoreTvOutEntries(System& system, ProgramState& state, OwnerWindow& owner, const TvOutEntries& typed) {
    TvOutEntries entries;
    for (int i = 0; i < 2; ++i) {
        const std::string& width = typed[i].width;
        const std::string& height = typed[i].height;
        // An empty box or a "0" clears the entry: that is how a user removes one.
        if (width.empty() || height.empty() || width == "0" || height == "0")
            continue;
        for (const bool isWidth : {true, false}) {
            if (!IsDimension(isWidth ? width : height)) {
                system.messages.Show(std::string(isWidth ? "Width " : "Height ") + char('1' + i) +
                                         " must be a number of three or four digits (for example " +
                                         (isWidth ? "720" : "480") + ").",
                                     MsgButtons::Ok, MsgIcon::Error);
                return false;
            }
        }
        entries[i] = typed[i];
    }

    // Refused: the lists, the label and the boxes stay as they were, so the
    // user can press OK again or close the dialog.
    if (!Settings(system.registry).SetTvOut(entries)) {
        system.messages.Show("Error writing to the registry", MsgButtons::Ok, MsgIcon::Error);
        return false;
    }
    state.TvOut = BuildTvOutFragments(entries, false);
    owner.ShowAddedResolutions();
    return true;
}

}  // namespace tsln
