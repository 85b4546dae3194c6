#include "win32/views_win.h"

namespace tsln {

DialogView::~DialogView() {
    Close();
}

bool DialogView::Open(HINSTANCE instance, int templateId, HWND owner) {
    hwnd_ =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), owner, Procedure, reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

void DialogView::Close() {
    if (hwnd_ != nullptr) {
        HWND hwnd = hwnd_;
        hwnd_ = nullptr;
        DestroyWindow(hwnd);
    }
}

void DialogView::SetText(int id, const std::string& text) {
    // Only real changes: a label repainted for nothing flickers, and an edit
    // box set to its own text would move the caret and send a change.
    HWND control = Item(id);
    if (WindowText(control) != text)
        SetWindowTextA(control, text.c_str());
}

INT_PTR CALLBACK DialogView::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* view = reinterpret_cast<DialogView*>(lParam);
        SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        view->hwnd_ = hwnd;
        view->OnInit();
        return TRUE;
    }
    auto* view = reinterpret_cast<DialogView*>(GetWindowLongPtrA(hwnd, DWLP_USER));
    if (view == nullptr || view->hwnd_ != hwnd)
        return FALSE;
    switch (message) {
        case WM_COMMAND:
            return view->OnCommand(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
        case WM_CLOSE:
            view->OnClose();
            return TRUE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (!view->OnNotify(reinterpret_cast<NMHDR*>(lParam), &result))
                return FALSE;
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_SETCURSOR:
            if (!view->OnSetCursor(reinterpret_cast<HWND>(wParam)))
                return FALSE;
            SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<INT_PTR>(
                view->OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
        default:
            return FALSE;
    }
}

}  // namespace tsln
