// The program's message boxes: found, read, told apart by their icon, and
// answered.
#include <cstdio>

#include "driver.h"

// A message box is a #32770 dialog titled "Tessaline" that has the static
// text 0xFFFF.
HWND FindMessageBox() {
    HWND box = nullptr;
    for (HWND candidate = FindWindowExA(nullptr, nullptr, "#32770", "Tessaline"); candidate != nullptr;
         candidate = FindWindowExA(nullptr, candidate, "#32770", "Tessaline")) {
        if (IsWindowVisible(candidate) && GetDlgItem(candidate, 0xFFFF) != nullptr)
            box = candidate;
    }
    return box;
}

HWND WaitMessageBox() {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindMessageBox()) != nullptr; }))
        Fail("no message box");
    return box;
}

// The icon of the open message box. Whether it has one, its icon control
// says; which one, the colours on the screen: Wine's error icon is a red
// disc, its information icon a blue one, its warning icon a yellow triangle. The screen shows them once Wine has
// painted the box, which is read until it does.
const char* BoxIcon(HWND box) {
    HWND icon = GetDlgItem(box, 0x0440);  // stc1: the icon of the system's message box template
    if (icon == nullptr || !IsWindowVisible(icon) || SendMessageA(icon, STM_GETICON, 0, 0) == 0)
        return "none";
    const char* kind = nullptr;
    WaitFor([&] {
        RECT area;
        GetWindowRect(icon, &area);
        HDC screen = GetDC(nullptr);
        int red = 0, blue = 0, yellow = 0, all = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF colour = GetPixel(screen, x, y);
                const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
                ++all;
                if (r > 150 && g < 100 && b < 100)
                    ++red;
                if (b > 150 && r < 100)
                    ++blue;
                if (r > 150 && g > 150 && b < 100)
                    ++yellow;
            }
        }
        ReleaseDC(nullptr, screen);
        kind = red * 8 > all ? "error" : blue * 8 > all ? "information" : yellow * 8 > all ? "warning" : nullptr;
        return kind != nullptr;
    });
    return kind != nullptr ? kind : "neither error, information nor warning";
}

// The button Enter presses: the one drawn as the default.
const char* BoxDefault(HWND box) {
    const struct {
        int id;
        const char* name;
    } buttons[] = {{IDYES, "Yes"}, {IDNO, "No"}, {IDOK, "OK"}};
    for (const auto& button : buttons) {
        HWND control = GetDlgItem(box, button.id);
        if (control != nullptr && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            return button.name;
    }
    return "none";
}

void AnswerBox(const std::string& answer) {
    HWND box = WaitMessageBox();
    std::printf("box=%s\n", Text(GetDlgItem(box, 0xFFFF)).c_str());
    const int button = answer == "Yes" ? IDYES : answer == "No" ? IDNO : answer == "OK" ? IDOK : 0;
    if (button == 0)
        Fail("a message box has no answer \"" + answer + "\"");
    HWND control = GetDlgItem(box, button);
    if (control == nullptr)
        Fail("the message box has no " + answer + " button");
    HWND owner = GetWindow(box, GW_OWNER);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    if (!WaitFor([&] { return !IsWindow(box); }))
        Fail("the message box did not close");
    if (owner != nullptr)
        Settle(owner);
}
