#pragma once

namespace tsln {

class frmMain;

// The About box: quasi-modal, it locks the main window while it is open.
class frmAbout {
public:
    explicit frmAbout(frmMain& main) : main_(main) {}

    bool loaded = false;

    void Form_Load();
    void Command1_Click();  // "&Close"

private:
    frmMain& main_;
};

}  // namespace tsln
