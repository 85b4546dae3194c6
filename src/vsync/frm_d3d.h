#pragma once
#include <string>
#include <vector>

#include "state/owner_window.h"
#include "state/system.h"
#include "vsync/vsync_test.h"

namespace tsln {

// "Tessaline VSync Tester": picks a mode for the full-screen test.
class frmD3D {
public:
    frmD3D(System& system, OwnerWindow& owner, VsyncTester& tester) : system_(system), owner_(owner), tester_(tester) {}

    bool loaded = false;
    std::vector<std::string> cmbResItems;
    std::string cmbRes;  // the combo boxes are editable: this is their text
    std::vector<std::string> cmbBitRatesItems;
    std::string cmbBitRates;
    bool optOn = true;
    bool optOff = false;

    // The last test's parameters; they outlive the dialog for the whole run.
    VsyncTestParams test;

    void Form_Load();
    void cmdGo_Click();
    void cmdCancel_Click();
    // The close box acts as Cancel.
    void Form_Close() { cmdCancel_Click(); }

private:
    System& system_;
    OwnerWindow& owner_;
    VsyncTester& tester_;
};

}  // namespace tsln
