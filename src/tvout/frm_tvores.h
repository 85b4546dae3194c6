#pragma once
#include <string>

#include "settings/settings.h"
#include "state/owner_window.h"
#include "state/program_state.h"
#include "state/system.h"

namespace tsln {

// "TV-Out aufloesungen": edits the two stored TV-Out resolutions.
class frmTVORes {
public:
    frmTVORes(System& system, ProgramState& state, OwnerWindow& owner)
        : system_(system), state_(state), owner_(owner), settings_(system.registry) {}

    bool loaded = false;
    std::string txtW1, txtH1, txtW2, txtH2;

    void Form_Load();
    void Command1_Click();  // "Clear" row 1
    void Command2_Click();  // "Clear" row 2
    void Command3_Click();  // "Set default TV-Out modes"
    // "&OK": stores and closes, unless a box holds something that cannot be
    // a width or height (it names the box) or the registry refuses the
    // values; then it stays open.
    void cmdDone_Click();
    // The close box leaves without storing.
    void Form_Close();

private:
    void Unload();

    System& system_;
    ProgramState& state_;
    OwnerWindow& owner_;
    Settings settings_;
};

}  // namespace tsln
