// Finding tsln.exe's windows from outside and talking to them with ordinary
// window messages.
#include <cstdio>
#include <cstdlib>

#include "driver.h"

const char kMainTitle[] = "Tessaline v2.0";

DWORD Timeout() {
    const char* value = std::getenv("TSLN_DRIVER_TIMEOUT_MS");
    return value != nullptr ? static_cast<DWORD>(std::strtoul(value, nullptr, 10)) : 10000;
}

void Fail(const std::string& what) {
    std::printf("error: %s\n", what.c_str());
    std::fflush(stdout);
    std::exit(1);
}

HWND Session::MainWindow() {
    if (main == nullptr || !IsWindow(main))
        main = WaitTopLevel("#32770", kMainTitle);
    return main;
}

// A click goes as a notify message: queued like a sent message, so the
// round trip that follows it is handled only after the click's handler has
// run to its end, or once that handler waits in a message box of its own.
void Settle(HWND window) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result);
}

void Command(HWND window, int id, HWND control) {
    SendNotifyMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    Settle(window);
}

std::string Text(HWND window) {
    char buffer[8192] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    return buffer;
}

namespace {

struct Found {
    const char* className;
    const char* title;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<Found*>(lParam);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window))
        return TRUE;
    if (found->className != nullptr && lstrcmpA(className, found->className) != 0)
        return TRUE;
    if (found->title != nullptr && Text(window) != found->title)
        return TRUE;
    found->window = window;
    return FALSE;
}

}  // namespace

HWND FindTopLevel(const char* className, const char* title) {
    Found found{className, title, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
    return found.window;
}

HWND WaitTopLevel(const char* className, const char* title) {
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = FindTopLevel(className, title)) != nullptr; })) {
        Fail(std::string("no window \"") + title + "\"");
    }
    return window;
}
