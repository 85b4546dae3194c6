#include "tvout/frm_tvores.h"

#include "modes/dimension.h"
#include "tvout/tvout_texts.h"

namespace tsln {

void frmTVORes::Form_Load() {
    loaded = true;
    owner_.SetEnabled(false);
    // The same read as the start-up's: a stored value no list can hold shows
    // as an empty box rather than one that OK would refuse.
    const TvOutEntries stored = settings_.TvOut();
    txtW1 = stored[0].width;
    txtH1 = stored[0].height;
    txtW2 = stored[1].width;
    txtH2 = stored[1].height;
}

void frmTVORes::Command1_Click() {
    txtW1.clear();
    txtH1.clear();
}

void frmTVORes::Command2_Click() {
    txtW2.clear();
    txtH2.clear();
}

void frmTVORes::Command3_Click() {
    txtW1 = "720";
    txtH1 = "480";
    txtW2 = "768";
    txtH2 = "576";
}

void frmTVORes::cmdDone_Click() {
    struct Box {
        const std::string& text;
        const char* name;
    };
    const Box rows[2][2] = {{{txtW1, "Width 1"}, {txtH1, "Height 1"}}, {{txtW2, "Width 2"}, {txtH2, "Height 2"}}};

    TvOutEntries entries;
    for (int i = 0; i < 2; ++i) {
        const std::string& width = rows[i][0].text;
        const std::string& height = rows[i][1].text;
        // An empty box or a "0" clears the entry: that is how a user removes one.
        if (width.empty() || height.empty() || width == "0" || height == "0")
            continue;
        for (const Box& box : rows[i]) {
            if (!IsDimension(box.text)) {
                system_.messages.Show(std::string(box.name) +
                                          " must be a number of three or four digits (for example " +
                                          (box.name[0] == 'W' ? "720" : "480") + ").",
                                      MsgButtons::Ok, MsgIcon::Error);
                return;
            }
        }
        entries[i] = {width, height};
    }

    // Refused: the lists, the label and the boxes stay as they were, so the
    // user can press OK again or close the dialog.
    if (!settings_.SetTvOut(entries)) {
        system_.messages.Show("Error writing to the registry", MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    state_.TvOut = BuildTvOutFragments(entries, false);
    owner_.ShowAddedResolutions();
    Unload();
}

void frmTVORes::Form_Close() {
    Unload();
}

void frmTVORes::Unload() {
    owner_.SetEnabled(true);
    loaded = false;
}

}  // namespace tsln
