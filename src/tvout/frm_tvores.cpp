#include "tvout/frm_tvores.h"

#include "tvout/tvout_store.h"

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
    if (StoreTvOutEntries(system_, state_, owner_, {{{txtW1, txtH1}, {txtW2, txtH2}}}))
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
