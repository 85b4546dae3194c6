#pragma once
// What the driver's steps share: the windows they address, waiting with a
// time-out, and failing with one "error: ..." line that the scripts look for.
#include <windows.h>
// Needs what windows.h declares.
#include <commctrl.h>

#include <string>
#include <vector>

// The top-level window the control steps address: the main window, or the
// small window that a "dialog:" step chose.
struct Session {
    HWND main = nullptr;
    HWND target = nullptr;

    HWND MainWindow();
    HWND Current() { return target != nullptr ? target : MainWindow(); }
};

extern const char kMainTitle[];

[[noreturn]] void Fail(const std::string& what);
DWORD Timeout();

template <typename Condition>
bool WaitFor(Condition condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > Timeout())
            return false;
        Sleep(20);
    }
    return true;
}

std::string Text(HWND window);
void Settle(HWND window);
void Command(HWND window, int id, HWND control);
HWND FindTopLevel(const char* className, const char* title);
HWND WaitTopLevel(const char* className, const char* title);
HWND FindMessageBox();

// The ID of a control or menu item named as in win32/resource.h, e.g.
// "IDC_CMDAPPLY", "IDM_EXIT", "IDC_UPDOWN7", "IDC_LABEL31".
int ControlId(const std::string& name);
HWND Control(HWND dialog, const std::string& name);

// Steps kept in files of their own.
HWND WaitMessageBox();
const char* BoxIcon(HWND box);
const char* BoxDefault(HWND box);
void AnswerBox(const std::string& answer);
HWND FocusControl(HWND dialog, HWND control);
void TypeText(HWND dialog, HWND control, const std::string& text);
void PressKey(HWND edit, WPARAM key);
void PressKeys(HWND window, const std::string& words);
void ClickArrow(HWND spin, int direction);
void PrintMenus(HWND window);
void PrintMenuItem(HWND window, const std::string& name, int id);
void PrintHelpWindow(HWND main);
void DenyWrites(const std::string& path);
void PrintValues(const std::string& path);
void RunEntry();
