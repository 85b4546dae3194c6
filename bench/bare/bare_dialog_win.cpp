// The baseline for the start-up benchmark: a dialog program built the same
// way as tsln.exe (same compiler, flags, static runtime) that does nothing
// but show a window titled like the main window.
#include <windows.h>

#include "bare_dialog.h"

namespace {

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    // 2001 is tsln.exe's File > Exit, so the benchmark ends both programs alike.
    if (message == WM_CLOSE || (message == WM_COMMAND && (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == 2001))) {
        DestroyWindow(window);
        PostQuitMessage(0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    HWND window = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_BARE), nullptr, Procedure, 0);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
