#include "win32/views_win.h"

#include <commctrl.h>

#include "editor/decimal_text.h"
#include "editor/quick_set.h"
#include "win32/resource.h"

namespace tsln {
namespace {

int RateLabelId(int row) {
    return IDC_LABEL(kRateRows[row].rateLabel);
}
int SelectorId(int row) {
    return IDC_UPDOWN(kRateRows[row].selector);
}

int RowOfSelectorId(int id) {
    for (int row = 0; row < kResolutionCount; ++row) {
        if (SelectorId(row) == id)
            return row;
    }
    return -1;
}

void EnableMenu(HMENU menu, int id, const MenuItem& item) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(menu, id, MF_BYCOMMAND | (item.checked ? MF_CHECKED : MF_UNCHECKED));
}

}  // namespace

bool MainView::Create() {
    return Open(instance_, IDD_MAIN, nullptr);
}

void MainView::OnInit() {
    HICON icon = LoadIconA(instance_, MAKEINTRESOURCEA(IDI_TSLN));
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    for (int row = 0; row < kResolutionCount; ++row) {
        SendMessageA(Item(SelectorId(row)), UDM_SETRANGE32, 0, kRateRows[row].maxValue);
    }
    SendMessageA(Item(IDC_UPDOWN24), UDM_SETRANGE32, 0, kQuickSetMax);
    char separator[4] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator) == 2) {
        decimalSeparator_ = separator[0];
    }
    bold_ = DeriveFont(Item(IDC_CMDAPPLY), true, false);
    SendMessageA(Item(IDC_CMDAPPLY), WM_SETFONT, reinterpret_cast<WPARAM>(bold_.Get()), FALSE);
    link_ = DeriveFont(Item(IDC_LABEL49), false, true);
    SendMessageA(Item(IDC_LABEL49), WM_SETFONT, reinterpret_cast<WPARAM>(link_.Get()), FALSE);
}

bool MainView::OnCommand(int id, int code) {
    if (syncing_)
        return false;
    switch (id) {
        case IDC_CMDAPPLY:
            form_.cmdApply_Click();
            break;
        case IDC_CMDRESET:
            form_.cmdReset_Click();
            break;
        case IDC_CHECK1:
            form_.Check1_Click();
            break;
        case IDC_CMDCALC:
            form_.cmdCalc_Click();
            break;
        case IDC_CMDCALCDEF:
            form_.cmdCalcDef_Click();
            break;
        case IDC_LABEL49:
            if (code != STN_CLICKED)
                return false;
            form_.Label49_Click();
            break;
        case IDC_TEXT1:
            if (code != EN_CHANGE)
                return false;
            form_.Text1_Change(WindowText(Item(IDC_TEXT1)));
            break;
        case IDM_SAVECHOICES:
        case IDM_LOADCHOICES: {
            const bool save = id == IDM_SAVECHOICES;
            std::string path;
            if (!AskChoicesFile(hwnd_, save, &path))
                return true;
            save ? form_.mnuSaveChoices_Click(path) : form_.mnuLoadChoices_Click(path);
            break;
        }
        case IDM_EXIT:
            EndProgram();
            return true;
        case IDM_LOAD:
            form_.mnuLoad_Click();
            break;
        case IDM_TVORES:
            form_.mnuTVORes_Click();
            break;
        case IDM_D3DTEST:
            form_.mnuD3DTest_Click();
            break;
        case IDM_TOPICS:
            form_.mnuTopics_Click();
            break;
        case IDM_ABOUT:
            form_.mnuAbout_Click();
            break;
        case IDM_FITMONITOR:
            form_.mnuFitMonitor_Click();
            break;
        case IDM_UNDO:
            form_.mnuUndo_Click();
            break;
        case IDM_LIMITS:
            form_.mnuMonitorLimits_Click();
            break;
        default:
            return false;  // Esc and Enter with no default button do nothing here
    }
    Sync();
    return true;
}

bool MainView::OnNotify(NMHDR* header, LRESULT* result) {
    if (header->code != UDN_DELTAPOS)
        return false;
    const int id = static_cast<int>(header->idFrom);
    const int delta = reinterpret_cast<NMUPDOWN*>(header)->iDelta > 0 ? 1 : -1;
    if (id == IDC_UPDOWN24) {
        form_.UpDown24_Arrow(delta);
    } else {
        const int row = RowOfSelectorId(id);
        if (row < 0)
            return false;
        form_.Selector_Arrow(row, delta);
    }
    // The class decides the new value; the control only reports the click.
    *result = TRUE;
    Sync();
    return true;
}

bool MainView::OnSetCursor(HWND window) {
    if (window != Item(IDC_LABEL49))
        return false;
    SetCursor(LoadCursor(nullptr, IDC_HAND));
    return true;
}

HBRUSH MainView::OnControlColour(HDC dc, HWND control) {
    if (control != Item(IDC_LABEL49))
        return nullptr;
    SetTextColor(dc, RGB(0, 0, 204));
    SetBkMode(dc, TRANSPARENT);
    return GetSysColorBrush(COLOR_BTNFACE);
}

void MainView::Sync() {
    syncing_ = true;
    SetText(IDC_LBLOS, form_.lblOS);
    SetText(IDC_LBLDETVERSION, form_.lblDetVersion);
    SetText(IDC_LBLADAPTERS, form_.lblAdapters);
    SetText(IDC_LBLMONITOR, form_.lblMonitor);
    SetText(IDC_LABEL50, form_.Label50);
    for (int row = 0; row < kResolutionCount; ++row) {
        SetText(RateLabelId(row), form_.editor.Caption(row));
        HWND spin = Item(SelectorId(row));
        SendMessageA(spin, UDM_SETPOS32, 0, form_.editor.SelectorOf(row).value);
        EnableWindow(spin, form_.editor.SelectorOf(row).enabled);
    }
    CheckDlgButton(hwnd_, IDC_CHECK1, form_.Check1 ? BST_CHECKED : BST_UNCHECKED);

    HMENU menu = GetMenu(hwnd_);
    EnableMenu(menu, IDM_LOAD, form_.mnuLoad);
    EnableMenu(menu, IDM_TVORES, form_.mnuTVORes);
    EnableMenu(menu, IDM_FITMONITOR, form_.mnuFitMonitor);
    EnableMenu(menu, IDM_UNDO, form_.mnuUndo);
    EnableMenu(menu, IDM_LIMITS, form_.mnuMonitorLimits);

    for (const int id : {IDC_TEXT1, IDC_UPDOWN24, IDC_CMDCALC, IDC_CMDCALCDEF}) {
        EnableWindow(Item(id), form_.quickSetEnabled);
    }
    SetText(IDC_TEXT1, form_.Text1);
    SendMessageA(Item(IDC_UPDOWN24), UDM_SETPOS32, 0, form_.UpDown24);

    const int defaultId = form_.defaultButton == DefaultButton::Apply  ? IDC_CMDAPPLY
                          : form_.defaultButton == DefaultButton::Calc ? IDC_CMDCALC
                                                                       : 0;
    SendMessageA(hwnd_, DM_SETDEFID, defaultId, 0);
    for (const int id : {IDC_CMDAPPLY, IDC_CMDRESET, IDC_CMDCALC, IDC_CMDCALCDEF}) {
        SendMessageA(Item(id), BM_SETSTYLE, id == defaultId ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }

    SetHeight(form_.heightTwips);
    EnableWindow(hwnd_, form_.enabled);
    syncing_ = false;
    SyncWindows();
}

void MainView::SetHeight(int twips) {
    HDC screen = GetDC(nullptr);
    const int height = MulDiv(twips, GetDeviceCaps(screen, LOGPIXELSY), 1440);
    ReleaseDC(nullptr, screen);
    RECT bounds;
    GetWindowRect(hwnd_, &bounds);
    if (bounds.bottom - bounds.top == height)
        return;
    SetWindowPos(hwnd_, nullptr, 0, 0, bounds.right - bounds.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainView::SyncWindows() {
    const auto follow = [&](DialogView& view, bool loaded, int templateId) {
        if (loaded && view.Handle() == nullptr) {
            view.Open(instance_, templateId, hwnd_);
            ShowWindow(view.Handle(), SW_SHOW);
        } else if (!loaded && view.Handle() != nullptr) {
            view.Close();
            SetActiveWindow(hwnd_);
        }
    };
    follow(about_, form_.about.loaded, IDD_ABOUT);
    follow(tvOut_, form_.tvores.loaded, IDD_TVORES);
    follow(tester_, form_.d3d.loaded, IDD_D3D);
    follow(limits_, form_.limits.loaded, IDD_LIMITS);
    if (tvOut_.Handle() != nullptr)
        tvOut_.Sync();
    if (limits_.Handle() != nullptr)
        limits_.Sync();
    if (tester_.Handle() != nullptr)
        tester_.Sync();
}

bool MainView::Text1Takes(MSG* message) {
    HWND box = Item(IDC_TEXT1);
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::string kept = WindowText(box);
    if (start <= end && end <= kept.size())
        kept.erase(start, end - start);
    const char key = static_cast<char>(message->wParam);
    if (!DecimalBoxTakes(kept, key, decimalSeparator_)) {
        MessageBeep(MB_OK);
        return false;
    }
    // A separator that the quick set does not read goes in as '.'.
    if (key == decimalSeparator_ && key != ',')
        message->wParam = '.';
    return true;
}

bool MainView::TranslateDialogMessage(MSG* message) {
    // Text1 takes a decimal number only. Its keys are sorted here, before the
    // box sees them, as a number box does at the key; pasted text is read
    // as typed and changes nothing when it is no frequency.
    if (message->message == WM_CHAR && hwnd_ != nullptr && message->hwnd == Item(IDC_TEXT1) && !Text1Takes(message)) {
        return true;
    }
    for (DialogView* view :
         {static_cast<DialogView*>(&about_), static_cast<DialogView*>(&tvOut_), static_cast<DialogView*>(&tester_),
          static_cast<DialogView*>(&limits_), static_cast<DialogView*>(this)}) {
        if (view->Handle() != nullptr && IsDialogMessageA(view->Handle(), message))
            return true;
    }
    return false;
}

void MainView::EndProgram() {
    about_.Close();
    tvOut_.Close();
    tester_.Close();
    limits_.Close();
    Close();
    PostQuitMessage(0);
}

}  // namespace tsln
