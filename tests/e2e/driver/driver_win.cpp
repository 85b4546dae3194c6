// Drives tsln.exe from outside, the way a user would, through ordinary window
// messages: find a window, click a control by its ID, read a caption, answer
// a message box. Each argument is one step; steps that read something print
// one line, so a test compares the whole output with what it expects.
//
//   wait-main                  wait until "Tessaline v2.0" is visible and enabled
//   text:ID                    print "ID=caption" of a main-window control
//   rates                      print the 23 rate labels, one "caption=rate" line each
//   click:ID                   click a button (returns once it is handled or waits in a message box)
//   arrow:ID:+1|-1             click the right (+1, up) or left (-1, down) arrow of a spin control
//   menu:ID                    choose a menu item (likewise)
//   type:ID:TEXT               replace the text of an edit box
//   box:ANSWER                 wait for a message box, print "box=TEXT", press Yes, No or OK
//   icon                       wait for a message box and print "icon=none", "icon=error" or
//                              "icon=information" (told by the colours Wine paints it in)
//   no-box                     fail if a message box is open
//   dialog:TITLE               wait for one of our small windows; later steps address it
//   main                       address the main window again
//   closed:TITLE               wait until that window is gone
//   enabled                    print "enabled=1" or "enabled=0" for the main window
//   enabled-now                the same without first waiting for the window to be enabled: for while
//                              one of the small windows holds it disabled
//   height                     print the main window's height in twips
//   gone                       wait until tsln.exe has no window left
//   modes                      print EnumDisplaySettings as "width height bpp hz" lines
//   menus                      print the state of the two switchable Extras items, as the console's
//                              "show" prints it: "Extras > Load on Windows Start: enabled, checked"
//   quickset                   print "Quick set: TEXT kHz, enabled" (or "(empty)", "disabled"), as the
//                              console prints it
//   selectors                  print "selectors: N of 23 enabled"
//   key:ID:VK                  press and release the key VK (decimal) in an edit box; returns once the
//                              window has handled both (or has closed)
//   check:ID                   print "ID=checked" or "ID=unchecked" for a check box or option button
//   close-box                  close the addressed dialog by its close box
//   items:ID                   print the items of a combo box, one "item=TEXT" line each
//   deny-writes:KEY            give HKLM\KEY an access list that allows only reading
//   values:KEY                 print the values of HKLM\KEY, one "name=TYPE:data" line each (REG_SZ as
//                              text, REG_DWORD as 0x..., others in hex); nothing when the key is missing.
//                              Not "wine reg query": it prints an empty REG_SZ stored without its NUL
//                              with the bytes of the value listed before it
//   run-entry                  run the Run entry "TSLN" as Windows does at logon, wait until that
//                              program ends by itself with status 0 and print "run-entry=ended"
//   help-window                wait for tsln.exe's HTML Help window (class "HH Parent"), print
//                              "help=TITLE", then "help-contents=N" and "help-index=N": the
//                              entries of its Contents tree and of its Index list
//   press:ID                   click a control itself (BM_CLICK), as a mouse click on it would: an
//                              option button takes its mark; returns like click
//   window:TITLE               wait for a visible top-level window of any class with that title
//   window-gone:TITLE          wait until no visible top-level window has that title
//
// Waits poll with a time-out (TSLN_DRIVER_TIMEOUT_MS, default 10000); a step
// that times out prints "error: ..." and the program exits with status 1.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "menu_probe.h"
#include "win32/resource.h"

namespace {

DWORD Timeout() {
    const char* value = std::getenv("TSLN_DRIVER_TIMEOUT_MS");
    return value != nullptr ? static_cast<DWORD>(std::strtoul(value, nullptr, 10)) : 10000;
}

[[noreturn]] void Fail(const std::string& what) {
    std::printf("error: %s\n", what.c_str());
    std::fflush(stdout);
    std::exit(1);
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

template <typename Condition>
bool WaitFor(Condition condition) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > Timeout()) return false;
        Sleep(20);
    }
    return true;
}

std::string Text(HWND window) {
    char buffer[8192] = "";
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                        5000, nullptr);
    return buffer;
}

struct Found {
    const char* className;
    const char* title;
    HWND window;
};

BOOL CALLBACK FindVisible(HWND window, LPARAM lParam) {
    auto* found = reinterpret_cast<Found*>(lParam);
    char className[64] = "";
    GetClassNameA(window, className, sizeof className);
    if (!IsWindowVisible(window)) return TRUE;
    if (found->className != nullptr && lstrcmpA(className, found->className) != 0) return TRUE;
    if (found->title != nullptr && Text(window) != found->title) return TRUE;
    found->window = window;
    return FALSE;
}

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

HWND Control(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) Fail("no control " + std::to_string(id));
    return control;
}

// A message box is a #32770 dialog titled "Tessaline" that has the static
// text 0xFFFF.
HWND FindMessageBox() {
    HWND box = nullptr;
    for (HWND candidate = FindWindowExA(nullptr, nullptr, "#32770", "Tessaline"); candidate != nullptr;
         candidate = FindWindowExA(nullptr, candidate, "#32770", "Tessaline")) {
        if (IsWindowVisible(candidate) && GetDlgItem(candidate, 0xFFFF) != nullptr) box = candidate;
    }
    return box;
}

// The icon of the open message box. Whether it has one, its icon control
// says; which one, the colours on the screen: Wine's error icon is a red
// disc, its information icon a blue one. The screen shows them once Wine has
// painted the box, which is read until it does.
const char* BoxIcon(HWND box) {
    HWND icon = GetDlgItem(box, 0x0440);  // stc1: the icon of the system's message box template
    if (icon == nullptr || !IsWindowVisible(icon) || SendMessageA(icon, STM_GETICON, 0, 0) == 0) return "none";
    const char* kind = nullptr;
    WaitFor([&] {
        RECT area;
        GetWindowRect(icon, &area);
        HDC screen = GetDC(nullptr);
        int red = 0, blue = 0, all = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF colour = GetPixel(screen, x, y);
                const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
                ++all;
                if (r > 150 && g < 100 && b < 100) ++red;
                if (b > 150 && r < 100) ++blue;
            }
        }
        ReleaseDC(nullptr, screen);
        kind = red * 8 > all ? "error" : blue * 8 > all ? "information" : nullptr;
        return kind != nullptr;
    });
    return kind != nullptr ? kind : "neither error nor information";
}

void AnswerBox(const std::string& answer) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindMessageBox()) != nullptr; })) Fail("no message box");
    std::printf("box=%s\n", Text(GetDlgItem(box, 0xFFFF)).c_str());
    const int button = answer == "Yes" ? IDYES : answer == "No" ? IDNO : IDOK;
    HWND control = GetDlgItem(box, button);
    if (control == nullptr) Fail("the message box has no " + answer + " button");
    HWND owner = GetWindow(box, GW_OWNER);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(control));
    if (!WaitFor([&] { return !IsWindow(box); })) Fail("the message box did not close");
    if (owner != nullptr) Settle(owner);
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

std::vector<std::string> Split(const std::string& step, std::size_t parts) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (fields.size() + 1 < parts) {
        const auto colon = step.find(':', start);
        if (colon == std::string::npos) break;
        fields.push_back(step.substr(start, colon - start));
        start = colon + 1;
    }
    fields.push_back(step.substr(start));
    if (fields.size() != parts) Fail("malformed step \"" + step + "\"");
    return fields;
}

// The viewer of hhctrl.ocx: a top-level "HH Parent" window in the process
// that called HtmlHelp, with the Contents tab's tree view and the Index tab's
// list view among its descendants.
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
    if (lstrcmpA(className, found->className) != 0) return TRUE;
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

// A menu lives in the process that made it: its states are read by a hook
// that the driver puts into tsln.exe (menu_probe_win.cpp).
class MenuProbe {
public:
    explicit MenuProbe(HWND window) : window_(window) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string dll = path;
        dll = dll.substr(0, dll.find_last_of('\\') + 1) + "tsln-menu-probe.dll";
        module_ = LoadLibraryA(dll.c_str());
        const auto hook = module_ != nullptr ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(
                                                   GetProcAddress(module_, "MenuProbeHook")))
                                             : nullptr;
        if (hook == nullptr) Fail("cannot load " + dll);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hook, module_, GetWindowThreadProcessId(window, nullptr));
        if (hook_ == nullptr) Fail("cannot hook tsln.exe");
    }
    ~MenuProbe() {
        UnhookWindowsHookEx(hook_);
        FreeLibrary(module_);
    }

    UINT State(int id) {
        static const UINT probe = RegisterWindowMessageA(kMenuProbeMessage);
        // Different for every call of every driver run.
        const auto call = static_cast<LPARAM>((GetTickCount() << 8) ^ (GetCurrentProcessId() << 4) ^ ++calls_) | 1;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window_, probe, id, call, SMTO_NORMAL, 10000, &ignored);
        const auto answer =
            static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetPropA(window_, kMenuProbeMessage)));
        if (reinterpret_cast<LPARAM>(GetPropA(window_, kMenuProbeCall)) != call ||
            (answer >> 16) != static_cast<unsigned long>(id)) {
            Fail("the menu hook did not answer");
        }
        if ((answer & 0xFFFF) == 0xFFFF) Fail("no menu item " + std::to_string(id));
        return answer & 0xFFFF;
    }

private:
    HWND window_;
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
    DWORD calls_ = 0;
};

// A menu item as the console's "show" prints it.
void PrintMenuItem(MenuProbe& probe, int id, const char* caption) {
    const UINT state = probe.State(id);
    std::printf("Extras > %s: %s%s\n", caption, (state & (MF_GRAYED | MF_DISABLED)) ? "disabled" : "enabled",
                (state & MF_CHECKED) ? ", checked" : "");
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
            if (!IsWindow(edit)) return true;
            return SendMessageTimeoutA(edit, EM_GETLIMITTEXT, 0, 0, SMTO_NORMAL, 10000, &now) != 0 &&
                   static_cast<LRESULT>(now) == marker;
        })) {
        Fail("the key was not handled");
    }
    if (IsWindow(edit)) SendMessageA(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

// An access list that lets everyone read the key and nobody write to it, as
// for a user without administrator rights.
void DenyWrites(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, READ_CONTROL | WRITE_DAC, &key) != ERROR_SUCCESS) {
        Fail("cannot open HKLM\\" + path);
    }
    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    PSID everyone = nullptr;
    alignas(DWORD) char aclBuffer[256];
    ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
    SECURITY_DESCRIPTOR descriptor;
    const bool done = AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone) &&
                      InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
                      AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
                      InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                      SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE) &&
                      RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    if (everyone != nullptr) FreeSid(everyone);
    RegCloseKey(key);
    if (!done) Fail("cannot make HKLM\\" + path + " read-only");
}

void PrintValues(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (DWORD index = 0;; ++index) {
        char name[256] = "";
        DWORD nameSize = sizeof name;
        DWORD type = 0;
        std::vector<BYTE> data(65536);
        DWORD dataSize = static_cast<DWORD>(data.size());
        const LONG result = RegEnumValueA(key, index, name, &nameSize, nullptr, &type, data.data(), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result != ERROR_SUCCESS) Fail("cannot read the values of HKLM\\" + path);
        data.resize(dataSize);
        if (type == REG_SZ) {
            std::string text(data.begin(), data.end());
            if (!text.empty() && text.back() == '\0') text.pop_back();
            std::printf("%s=REG_SZ:%s\n", name, text.c_str());
        } else if (type == REG_DWORD && dataSize == 4) {
            DWORD number = 0;
            std::memcpy(&number, data.data(), 4);
            std::printf("%s=REG_DWORD:0x%lx\n", name, static_cast<unsigned long>(number));
        } else {
            std::printf("%s=TYPE%lu:", name, static_cast<unsigned long>(type));
            for (BYTE byte : data) std::printf("%02x", byte);
            std::printf("\n");
        }
    }
    RegCloseKey(key);
}

// What Windows does with a Run entry at logon: the value is the whole command
// line, program path and arguments.
void RunEntry() {
    char command[1024] = "";
    DWORD size = sizeof command - 1;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &key) !=
            ERROR_SUCCESS ||
        RegQueryValueExA(key, "TSLN", nullptr, &type, reinterpret_cast<BYTE*>(command), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        if (key != nullptr) RegCloseKey(key);
        Fail("no Run entry TSLN");
    }
    RegCloseKey(key);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        Fail(std::string("the Run entry does not start: ") + command);
    }
    CloseHandle(process.hThread);
    const DWORD waited = WaitForSingleObject(process.hProcess, Timeout());
    if (waited != WAIT_OBJECT_0) {
        HWND box = FindMessageBox();
        const std::string seen = box != nullptr ? "message box \"" + Text(GetDlgItem(box, 0xFFFF)) + "\"" : "no box";
        TerminateProcess(process.hProcess, 1);
        CloseHandle(process.hProcess);
        Fail("the program of the Run entry did not end (" + seen + ")");
    }
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hProcess);
    if (status != 0) Fail("the program of the Run entry ended with status " + std::to_string(status));
    std::printf("run-entry=ended\n");
}

const char kMainTitle[] = "Tessaline v2.0";
const struct {
    const char* caption;
    int rateLabel;
} kRows[] = {{"320 x 200", 25},   {"320 x 240", 26},   {"400 x 300", 27},   {"480 x 360", 28},   {"512 x 384", 29},
             {"640 x 400", 30},   {"640 x 480", 31},   {"800 x 600", 32},   {"848 x 480", 54},   {"1024 x 768", 33},
             {"1152 x 864", 34},  {"1280 x 720", 55},  {"1280 x 768", 35},  {"1280 x 960", 36},  {"1280 x 1024", 37},
             {"1360 x 768", 56},  {"1600 x 900", 38},  {"1600 x 1024", 39}, {"1600 x 1200", 40}, {"1920 x 1080", 41},
             {"1920 x 1200", 42}, {"1920 x 1440", 43}, {"2048 x 1536", 44}};

}  // namespace

int main(int argc, char** argv) {
    HWND main = nullptr;
    HWND target = nullptr;  // the window control steps address
    const auto mainWindow = [&] {
        if (main == nullptr || !IsWindow(main)) main = WaitTopLevel("#32770", kMainTitle);
        return main;
    };
    const auto current = [&] { return target != nullptr ? target : mainWindow(); };

    for (int i = 1; i < argc; ++i) {
        const std::string step = argv[i];
        const std::string verb = step.substr(0, step.find(':'));
        if (verb == "wait-main") {
            HWND window = mainWindow();
            if (!WaitFor([&] { return IsWindowEnabled(window) != FALSE; })) Fail("main window stays disabled");
        } else if (verb == "text") {
            const int id = std::atoi(Split(step, 2)[1].c_str());
            std::printf("%d=%s\n", id, Text(Control(current(), id)).c_str());
        } else if (verb == "rates") {
            for (const auto& row : kRows) {
                std::printf("%s=%s\n", row.caption, Text(Control(mainWindow(), IDC_LABEL(row.rateLabel))).c_str());
            }
        } else if (verb == "click") {
            const int id = std::atoi(Split(step, 2)[1].c_str());
            HWND control = Control(current(), id);
            Command(current(), id, control);
        } else if (verb == "arrow") {
            const auto fields = Split(step, 3);
            ClickArrow(Control(current(), std::atoi(fields[1].c_str())), std::atoi(fields[2].c_str()));
        } else if (verb == "menu") {
            Command(mainWindow(), std::atoi(Split(step, 2)[1].c_str()), nullptr);
        } else if (verb == "type") {
            const auto fields = Split(step, 3);
            SendMessageA(Control(current(), std::atoi(fields[1].c_str())), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(fields[2].c_str()));
        } else if (verb == "box") {
            AnswerBox(Split(step, 2)[1]);
        } else if (verb == "icon") {
            HWND box = nullptr;
            if (!WaitFor([&] { return (box = FindMessageBox()) != nullptr; })) Fail("no message box");
            std::printf("icon=%s\n", BoxIcon(box));
        } else if (verb == "no-box") {
            Sleep(200);
            if (HWND box = FindMessageBox()) Fail("unexpected message box: " + Text(GetDlgItem(box, 0xFFFF)));
        } else if (verb == "dialog") {
            target = WaitTopLevel("#32770", Split(step, 2)[1].c_str());
        } else if (verb == "main") {
            target = nullptr;
        } else if (verb == "closed") {
            const std::string title = Split(step, 2)[1];
            if (!WaitFor([&] { return FindTopLevel("#32770", title.c_str()) == nullptr; })) {
                Fail("\"" + title + "\" is still open");
            }
            target = nullptr;
        } else if (verb == "enabled") {
            HWND window = mainWindow();
            // Give a just-closed dialog's re-enabling its moment.
            WaitFor([&] { return IsWindowEnabled(window) != FALSE; });
            std::printf("enabled=%d\n", IsWindowEnabled(window) ? 1 : 0);
        } else if (verb == "enabled-now") {
            std::printf("enabled=%d\n", IsWindowEnabled(mainWindow()) ? 1 : 0);
        } else if (verb == "height") {
            // In twips when the height is exactly one of the window's two heights
            // in this screen's pixels; in pixels otherwise.
            RECT bounds;
            GetWindowRect(mainWindow(), &bounds);
            HDC screen = GetDC(nullptr);
            const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
            ReleaseDC(nullptr, screen);
            const int pixels = bounds.bottom - bounds.top;
            if (pixels == MulDiv(5800, dpi, 1440)) {
                std::printf("height=5800\n");
            } else if (pixels == MulDiv(6400, dpi, 1440)) {
                std::printf("height=6400\n");
            } else {
                std::printf("height=%dpx\n", pixels);
            }
        } else if (verb == "press") {
            HWND control = Control(current(), std::atoi(Split(step, 2)[1].c_str()));
            SendNotifyMessageA(control, BM_CLICK, 0, 0);
            Settle(current());
        } else if (verb == "window") {
            WaitTopLevel(nullptr, Split(step, 2)[1].c_str());
        } else if (verb == "window-gone") {
            const std::string title = Split(step, 2)[1];
            if (!WaitFor([&] { return FindTopLevel(nullptr, title.c_str()) == nullptr; })) {
                Fail("\"" + title + "\" is still open");
            }
        } else if (verb == "gone") {
            if (!WaitFor([] { return FindTopLevel("#32770", kMainTitle) == nullptr; })) Fail("tsln.exe did not end");
        } else if (verb == "help-window") {
            ClassSearch help{kHelpClass, 0, nullptr};
            GetWindowThreadProcessId(mainWindow(), &help.process);
            if (!WaitFor([&] {
                    EnumWindows(FindOfProcess, reinterpret_cast<LPARAM>(&help));
                    return help.window != nullptr;
                })) {
                Fail("no help window");
            }
            std::printf("help=%s\n", Text(help.window).c_str());
            std::printf("help-contents=%ld\n", CountItems(help.window, WC_TREEVIEWA, TVM_GETCOUNT));
            std::printf("help-index=%ld\n", CountItems(help.window, WC_LISTVIEWA, LVM_GETITEMCOUNT));
        } else if (verb == "menus") {
            MenuProbe probe(mainWindow());
            PrintMenuItem(probe, IDM_LOAD, "Load on Windows Start");
            PrintMenuItem(probe, IDM_TVORES, "TV-Out Resolutions...");
        } else if (verb == "quickset") {
            HWND window = mainWindow();
            bool enabled = true;
            bool disabled = true;
            for (const int id : {IDC_TEXT1, IDC_UPDOWN24, IDC_CMDCALC, IDC_CMDCALCDEF}) {
                const bool on = IsWindowEnabled(Control(window, id)) != FALSE;
                enabled = enabled && on;
                disabled = disabled && !on;
            }
            const std::string text = Text(Control(window, IDC_TEXT1));
            std::printf("Quick set: %s kHz, %s\n", text.empty() ? "(empty)" : text.c_str(),
                        enabled ? "enabled" : disabled ? "disabled" : "partly enabled");
        } else if (verb == "selectors") {
            int enabled = 0;
            for (int n = 1; n <= 23; ++n) enabled += IsWindowEnabled(Control(mainWindow(), IDC_UPDOWN(n))) ? 1 : 0;
            std::printf("selectors: %d of 23 enabled\n", enabled);
        } else if (verb == "key") {
            const auto fields = Split(step, 3);
            PressKey(Control(current(), std::atoi(fields[1].c_str())), std::strtoul(fields[2].c_str(), nullptr, 10));
        } else if (verb == "check") {
            const int id = std::atoi(Split(step, 2)[1].c_str());
            const LRESULT state = SendMessageA(Control(current(), id), BM_GETCHECK, 0, 0);
            std::printf("%d=%s\n", id, state == BST_CHECKED ? "checked" : "unchecked");
        } else if (verb == "close-box") {
            HWND window = current();
            SendNotifyMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            Settle(window);
        } else if (verb == "items") {
            HWND combo = Control(current(), std::atoi(Split(step, 2)[1].c_str()));
            const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
            for (LRESULT n = 0; n < count; ++n) {
                // The wide form: Wine passes the ANSI one between processes cut to its first character.
                wchar_t item[256] = L"";
                if (SendMessageW(combo, CB_GETLBTEXTLEN, n, 0) >= 256) Fail("item too long");
                SendMessageW(combo, CB_GETLBTEXT, n, reinterpret_cast<LPARAM>(item));
                char text[512] = "";
                WideCharToMultiByte(CP_ACP, 0, item, -1, text, sizeof text, nullptr, nullptr);
                std::printf("item=%s\n", text);
            }
        } else if (verb == "deny-writes") {
            DenyWrites(Split(step, 2)[1]);
        } else if (verb == "values") {
            PrintValues(Split(step, 2)[1]);
        } else if (verb == "run-entry") {
            RunEntry();
        } else if (verb == "modes") {
            DEVMODEA mode{};
            mode.dmSize = sizeof mode;
            for (DWORD n = 0; EnumDisplaySettingsA(nullptr, n, &mode); ++n) {
                std::printf("%lu %lu %lu %lu\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
                            mode.dmDisplayFrequency);
            }
        } else {
            Fail("unknown step \"" + step + "\"");
        }
        std::fflush(stdout);
    }
    return 0;
}
