// Keyboard and mouse input as a user gives it. Typed text goes through the
// system's input queue (SendInput) to the control that has the focus, so a
// key the control refuses is refused here too; nothing is put into a box
// with WM_SETTEXT.
#include <cstring>
#include <utility>
#include <vector>

#include "driver.h"

namespace {

void AddKey(std::vector<INPUT>& keys, WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    if (key == VK_HOME || key == VK_END || key == VK_DELETE)
        input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    keys.push_back(input);
}

void AddPress(std::vector<INPUT>& keys, WORD key, bool shift = false) {
    if (shift)
        AddKey(keys, VK_SHIFT, true);
    AddKey(keys, key, true);
    AddKey(keys, key, false);
    if (shift)
        AddKey(keys, VK_SHIFT, false);
}

void Send(std::vector<INPUT>& keys) {
    const UINT sent = SendInput(static_cast<UINT>(keys.size()), keys.data(), sizeof(INPUT));
    if (sent != keys.size())
        Fail("the system took " + std::to_string(sent) + " of " + std::to_string(keys.size()) + " key events");
    keys.clear();
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

// EM_GETSEL's start and end, as one number.
DWORD Selection(HWND edit) {
    DWORD_PTR selection = 0;
    SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_NORMAL, 5000, &selection);
    return static_cast<DWORD>(selection);
}

DWORD Selected(std::size_t start, std::size_t end) {
    return static_cast<DWORD>(MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end)));
}

}  // namespace

// The window comes to the front, so that keys go to it, and the dialog moves
// its focus to the control itself, in its own thread, as Tab would.
HWND FocusControl(HWND dialog, HWND control) {
    SetForegroundWindow(dialog);
    if (!WaitFor([&] { return GetForegroundWindow() == dialog; }))
        Fail("the window does not come to the front");
    SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    HWND focus = nullptr;
    // A combo box passes the focus on to its edit box.
    if (!WaitFor([&] {
            focus = FocusOf(dialog);
            return focus == control || IsChild(control, focus);
        })) {
        Fail("the control does not take the focus");
    }
    return focus;
}

void TypeText(HWND dialog, HWND control, const std::string& text) {
    HWND edit = FocusControl(dialog, control);
    std::vector<INPUT> keys;
    // Emptied as a user would on Windows 2000, where Ctrl+A does nothing in an edit box; waited for on
    // its own, since Shift+End on the old text would look like the mark below.
    AddPress(keys, VK_HOME);
    AddPress(keys, VK_END, true);
    AddPress(keys, VK_DELETE);
    Send(keys);
    if (!WaitFor([&] { return Text(edit).empty(); }))
        Fail("the box was not emptied by Home, Shift+End, Delete");

    for (const char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1 || (scan & 0x600) != 0)
            Fail(std::string("no key types \"") + c + "\"");
        AddPress(keys, static_cast<WORD>(scan & 0xFF), (scan & 0x100) != 0);
    }
    // Keys are handled in the order they come. Shift+Home, then End, after the text show when the box has
    // got through it: the selection becomes (0, length), then (length, length). A box left empty has no
    // such mark: it is read once it has stayed empty for a while.
    AddPress(keys, VK_HOME, true);
    Send(keys);
    DWORD emptySince = 0;
    const bool handled = WaitFor([&] {
        const std::size_t length = Text(edit).size();
        if (length == 0) {
            if (emptySince == 0)
                emptySince = GetTickCount();
            return GetTickCount() - emptySince > 400;
        }
        emptySince = 0;
        return Selection(edit) == Selected(0, length);
    });
    if (!handled)
        Fail("the typed keys were not handled");
    AddPress(keys, VK_END);
    Send(keys);
    WaitFor([&] {
        const std::size_t length = Text(edit).size();
        return Selection(edit) == Selected(length, length);
    });
}

// "Alt+E Down Return": each word a key, with "Alt+" or "Shift+" held around
// it; a single character is the key that types it.
void PressKeys(HWND window, const std::string& words) {
    const struct {
        const char* name;
        WORD key;
    } named[] = {{"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},    {"Up", VK_UP},
                 {"Down", VK_DOWN},     {"Left", VK_LEFT},     {"Right", VK_RIGHT}};
    SetForegroundWindow(window);
    if (!WaitFor([&] { return GetForegroundWindow() == window; }))
        Fail("the window does not come to the front");
    std::vector<INPUT> keys;
    std::size_t start = 0;
    while (start < words.size()) {
        std::size_t end = words.find(' ', start);
        if (end == std::string::npos)
            end = words.size();
        std::string word = words.substr(start, end - start);
        start = end + 1;
        WORD modifier = 0;
        for (const auto& held : {std::make_pair("Alt+", VK_MENU), std::make_pair("Shift+", VK_SHIFT)}) {
            if (word.rfind(held.first, 0) == 0 && word.size() > std::strlen(held.first)) {
                modifier = static_cast<WORD>(held.second);
                word.erase(0, std::strlen(held.first));
            }
        }
        WORD key = 0;
        for (const auto& n : named) {
            if (word == n.name)
                key = n.key;
        }
        if (key == 0 && word.size() == 1 && VkKeyScanA(word[0]) != -1)
            key = static_cast<WORD>(VkKeyScanA(word[0]) & 0xFF);
        if (key == 0)
            Fail("no key \"" + word + "\"");
        if (modifier != 0)
            AddKey(keys, modifier, true);
        AddPress(keys, key);
        if (modifier != 0)
            AddKey(keys, modifier, false);
    }
    Send(keys);
}

// Posted keys are handled in the order they were posted, after any sent
// message: a marker posted behind them (an edit box's text limit, set back
// afterwards) shows when the window has got through them.
void PressKey(HWND edit, WPARAM key) {
    const LRESULT limit = SendMessageA(edit, EM_GETLIMITTEXT, 0, 0);
    const LRESULT marker = limit == 4321 ? 4322 : 4321;
    PostMessageA(edit, WM_KEYDOWN, key, 1);
    PostMessageA(edit, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
    PostMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(marker), 0);
    DWORD_PTR now = 0;
    // A key that closes the dialog takes the edit box, and the marker, with it.
    if (!WaitFor([&] {
            if (!IsWindow(edit))
                return true;
            return SendMessageTimeoutA(edit, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 10000, &now) != 0 &&
                   static_cast<LRESULT>(now) == marker;
        })) {
        Fail("the key was not handled");
    }
    if (IsWindow(edit))
        SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void ClickArrow(HWND spin, int direction) {
    RECT area;
    GetClientRect(spin, &area);
    const bool horizontal = (GetWindowLongA(spin, GWL_STYLE) & UDS_HORZ) != 0;
    int x = (area.right - area.left) / 2;
    int y = (area.bottom - area.top) / 2;
    if (horizontal) {
        x = direction > 0 ? area.right * 3 / 4 : area.right / 4;
    } else {
        y = direction > 0 ? area.bottom / 4 : area.bottom * 3 / 4;
    }
    // Sent, not posted: the value has changed by the time this returns, and
    // the press and release come in order.
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(spin, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}
