#include "app/frm_about.h"

namespace tsln {

void frmAbout::Form_Load() {
    loaded = true;
    owner_.SetEnabled(false);
}

void frmAbout::Command1_Click() {
    owner_.SetEnabled(true);
    loaded = false;
}

}  // namespace tsln
