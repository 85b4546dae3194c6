#pragma once
#include <string>

#include "app/system.h"

namespace tsln {

class frmMain;
struct ProgramState;

// "TV-Out aufloesungen": edits the two stored TV-Out resolutions.
class frmTVORes {
public:
    frmTVORes(System& system, ProgramState& state, frmMain& main) : system_(system), state_(state), main_(main) {}

    bool loaded = false;
    std::string txtW1, txtH1, txtW2, txtH2;

    void Form_Load();
    void Command1_Click();  // "Clear" row 1
    void Command2_Click();  // "Clear" row 2
    void Command3_Click();  // "Set default TV-Out modes"
    // "&OK": stores and closes, unless a box holds something that cannot be
    // a width or height; then it names the box and stays open.
    void cmdDone_Click();
    // The close box leaves without storing.
    void Form_Close();

private:
    void Unload();

    System& system_;
    ProgramState& state_;
    frmMain& main_;
};

}  // namespace tsln
