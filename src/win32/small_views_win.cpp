#include "win32/views_win.h"

#include "win32/resource.h"

namespace tsln {
namespace {

// Trebuchet MS on every control when the system has it, bold on the
// default button.
void ApplyDialogFonts(HWND dialog, HWND defaultButton, UniqueFont& font, UniqueFont& bold) {
    font = TrebuchetFont(false);
    SetFontOnChildren(dialog, font.Get());
    bold = font.Get() != nullptr ? TrebuchetFont(true) : DeriveFont(defaultButton, true, false);
    if (defaultButton != nullptr)
        SendMessageA(defaultButton, WM_SETFONT, reinterpret_cast<WPARAM>(bold.Get()), FALSE);
}

}  // namespace

void AboutView::OnInit() {
    font_ = TrebuchetFont(false);
    SetFontOnChildren(hwnd_, font_.Get());
}

bool AboutView::OnCommand(int id, int) {
    if (id != IDC_ABOUT_CLOSE && id != IDCANCEL)
        return false;
    form_.Command1_Click();
    main_.Sync();
    return true;
}

std::array<DialogView::TextBox, 4> TvOutView::Boxes() {
    return {{{IDC_TV_TXTW1, &form_.txtW1},
             {IDC_TV_TXTH1, &form_.txtH1},
             {IDC_TV_TXTW2, &form_.txtW2},
             {IDC_TV_TXTH2, &form_.txtH2}}};
}

void TvOutView::OnInit() {
    ApplyDialogFonts(hwnd_, Item(IDC_TV_DONE), font_, bold_);
    LimitTexts(Boxes(), 16);
}

void TvOutView::Sync() {
    ShowTexts(Boxes());
}

bool TvOutView::OnCommand(int id, int code) {
    if (code != BN_CLICKED)
        return false;
    ReadTexts(Boxes());
    switch (id) {
        case IDC_TV_CLEAR1:
            form_.Command1_Click();
            break;
        case IDC_TV_CLEAR2:
            form_.Command2_Click();
            break;
        case IDC_TV_DEFAULTS:
            form_.Command3_Click();
            break;
        case IDC_TV_DONE:
        case IDOK:
            form_.cmdDone_Click();
            break;
        case IDCANCEL:
            form_.Form_Close();
            break;
        default:
            return false;
    }
    main_.Sync();
    return true;
}

std::array<DialogView::TextBox, 5> LimitsView::Boxes() {
    return {{{IDC_LIM_HMIN, &form_.txtHMin},
             {IDC_LIM_HMAX, &form_.txtHMax},
             {IDC_LIM_VMIN, &form_.txtVMin},
             {IDC_LIM_VMAX, &form_.txtVMax},
             {IDC_LIM_CLOCK, &form_.txtClock}}};
}

void LimitsView::OnInit() {
    ApplyDialogFonts(hwnd_, Item(IDC_LIM_OK), font_, bold_);
    // Room for a number too long to be one, so OK names the box instead of
    // the box cutting the number short.
    LimitTexts(Boxes(), 8);
}

void LimitsView::Sync() {
    SetText(IDC_LIM_NAME, form_.lblName);
    ShowTexts(Boxes());
    EnableWindow(Item(IDC_LIM_OWN), form_.cmdOwnEnabled);
}

bool LimitsView::OnCommand(int id, int code) {
    if (code != BN_CLICKED)
        return false;
    ReadTexts(Boxes());
    switch (id) {
        case IDC_LIM_OK:
        case IDOK:
            form_.cmdOK_Click();
            break;
        case IDC_LIM_OWN:
            form_.cmdOwn_Click();
            break;
        case IDC_LIM_CANCEL:
        case IDCANCEL:
            form_.Form_Close();
            break;
        default:
            return false;
    }
    main_.Sync();
    return true;
}

void TesterView::OnInit() {
    ApplyDialogFonts(hwnd_, Item(IDC_D3D_GO), font_, bold_);
}

void TesterView::ReadChoice() {
    form_.cmbRes = WindowText(Item(IDC_D3D_CMBRES));
    form_.cmbBitRates = WindowText(Item(IDC_D3D_CMBBITRATES));
    form_.optOn = IsDlgButtonChecked(hwnd_, IDC_D3D_OPTON) == BST_CHECKED;
    form_.optOff = IsDlgButtonChecked(hwnd_, IDC_D3D_OPTOFF) == BST_CHECKED;
}

void TesterView::Sync() {
    const auto fill = [&](int id, const std::vector<std::string>& items, const std::string& text) {
        HWND combo = Item(id);
        const auto count = static_cast<std::size_t>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
        if (count != items.size()) {
            SendMessageA(combo, CB_RESETCONTENT, 0, 0);
            for (const auto& item : items)
                SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
        SetText(id, text);
    };
    fill(IDC_D3D_CMBRES, form_.cmbResItems, form_.cmbRes);
    fill(IDC_D3D_CMBBITRATES, form_.cmbBitRatesItems, form_.cmbBitRates);
    CheckDlgButton(hwnd_, IDC_D3D_OPTON, form_.optOn ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(hwnd_, IDC_D3D_OPTOFF, form_.optOff ? BST_CHECKED : BST_UNCHECKED);
}

bool TesterView::OnCommand(int id, int code) {
    if (code != BN_CLICKED)
        return false;
    ReadChoice();
    switch (id) {
        case IDC_D3D_GO:
        case IDOK:
            form_.cmdGo_Click();
            break;
        case IDC_D3D_CANCEL:
        case IDCANCEL:
            form_.cmdCancel_Click();
            break;
        default:
            return false;
    }
    main_.Sync();
    return true;
}

}  // namespace tsln
