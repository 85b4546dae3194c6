#pragma once

#include "state/owner_window.h"

namespace tsln {

// The About box: quasi-modal, it locks the main window while it is open.
class frmAbout {
public:
    explicit frmAbout(OwnerWindow& owner) : owner_(owner) {}

    bool loaded = false;

    void Form_Load();
    void Command1_Click();  // "&Close"

private:
    OwnerWindow& owner_;
};

}  // namespace tsln
