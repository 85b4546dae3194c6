#include "app/frm_about.h"

#include "app/frm_main.h"

namespace tsln {

void frmAbout::Form_Load() {
    loaded = true;
    main_.enabled = false;
}

void frmAbout::Command1_Click() {
    main_.enabled = true;
    loaded = false;
}

}  // namespace tsln
