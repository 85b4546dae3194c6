#include "vsync/frm_d3d.h"

#include "modes/resolutions.h"

namespace tsln {
namespace {

// The tester offers every size but the three that only the mask list
// carries: exactly the rows of the compressed list.
bool Testable(int row) {
    return kRateRows[row].inCompressedList;
}

}  // namespace

void frmD3D::Form_Load() {
    loaded = true;
    owner_.SetEnabled(false);
    optOn = true;
    optOff = false;
    cmbRes = "Resolution";
    cmbBitRates = "Bit Rate";
    cmbResItems.clear();
    for (int row = 0; row < kResolutionCount; ++row) {
        if (Testable(row) && owner_.RateCaption(row) != "N/A")
            cmbResItems.push_back(owner_.RowCaption(row));
    }
    cmbBitRatesItems = {"16 bit", "32 bit"};
}

void frmD3D::cmdGo_Click() {
    // Checked against every size, not the listed ones: a size whose rate
    // the system did not report can still be typed in and tried.
    int chosen = -1;
    for (int row = 0; row < kResolutionCount; ++row) {
        if (Testable(row) && cmbRes == owner_.RowCaption(row))
            chosen = row;
    }
    const bool bits16 = cmbBitRates == "16 bit";
    if (chosen < 0 || (!bits16 && cmbBitRates != "32 bit")) {
        system_.messages.Show("Please select a valid resolution from the list.", MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    test.width = kRateRows[chosen].width;
    test.height = kRateRows[chosen].height;
    test.backBufferFormat = bits16 ? kFormatR5G6B5 : kFormatX8R8G8B8;
    test.bitDepth = bits16 ? 16 : 32;
    test.vsyncOn = optOn;
    const std::string failure = tester_.Run(test);
    if (!failure.empty())
        system_.messages.Show(failure, MsgButtons::Ok, MsgIcon::Error);
}

void frmD3D::cmdCancel_Click() {
    owner_.SetEnabled(true);
    loaded = false;
}

}  // namespace tsln
