// tsln.exe's HTML Help window: the viewer of hhctrl.ocx is a top-level
// "HH Parent" window in the process that called HtmlHelp, with the Contents
// tab's tree view and the Index tab's list view among its descendants.
#include <cstdio>

#include "driver.h"

namespace {

const char kHelpClass[] = "HH Parent";

struct ClassSearch {
    const char* className;
    DWORD process;  // the owner process, for top-level windows only
    HWND window;    // what was found
};

BOOL CALLBACK FindOfProcess(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<ClassSearch*>(lParam);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (!IsWindowVisible(window) || process != found->process || lstrcmpA(className, found->className) != 0) {
        return TRUE;
    }
    found->window = window;
    return FALSE;
}

BOOL CALLBACK FindDescendant(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<ClassSearch*>(lParam);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, found->className) != 0)
        return TRUE;
    found->window = window;
    return FALSE;
}

// The number of items of the first descendant of that class, once it has
// some (0 if it stays empty or does not exist).
long CountItems(HWND parent, const char* className, UINT countMessage) {
    long count = 0;
    WaitFor([&] {
        ClassSearch found{className, 0, nullptr};
        EnumChildWindows(parent, FindDescendant, reinterpret_cast<LPARAM>(&found));
        DWORD_PTR result = 0;
        if (found.window != nullptr &&
            SendMessageTimeoutA(found.window, countMessage, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0) {
            count = static_cast<long>(result);
        }
        return count > 0;
    });
    return count;
}

}  // namespace

// Prints "help=TITLE", "help-contents=N" and "help-index=N".
void PrintHelpWindow(HWND main) {
    ClassSearch help{kHelpClass, 0, nullptr};
    GetWindowThreadProcessId(main, &help.process);
    if (!WaitFor([&] {
            EnumWindows(FindOfProcess, reinterpret_cast<LPARAM>(&help));
            return help.window != nullptr;
        })) {
        Fail("no help window");
    }
    std::printf("help=%s\n", Text(help.window).c_str());
    std::printf("help-contents=%ld\n", CountItems(help.window, WC_TREEVIEWA, TVM_GETCOUNT));
    std::printf("help-index=%ld\n", CountItems(help.window, WC_LISTVIEWA, LVM_GETITEMCOUNT));
}
