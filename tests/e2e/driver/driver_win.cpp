// Drives tsln.exe from outside, the way a user would: find a window, click a
// control, type into a box with real key presses, read a caption, answer a
// message box. Each argument is one step, "verb" or "verb:argument", and
// controls are named as in win32/resource.h ("click:IDC_CMDAPPLY",
// "arrow:IDC_UPDOWN7:+1"). Steps that read something print "key=value"
// lines, so a test picks what it compares by key. "tsln-driver.exe help"
// lists the steps (kSteps below).
//
// Waits poll with a time-out (TSLN_DRIVER_TIMEOUT_MS, default 10000); a step
// that fails prints "error: ..." and the program exits with status 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver.h"
// Needs what windows.h declares.
#include <dlgs.h>

#include "win32/resource.h"

namespace {

using Args = std::vector<std::string>;

const struct {
    const char* caption;
    int rateLabel;
} kRows[] = {{"320 x 200", 25},   {"320 x 240", 26},   {"400 x 300", 27},   {"480 x 360", 28},   {"512 x 384", 29},
             {"640 x 400", 30},   {"640 x 480", 31},   {"800 x 600", 32},   {"848 x 480", 54},   {"1024 x 768", 33},
             {"1152 x 864", 34},  {"1280 x 720", 55},  {"1280 x 768", 35},  {"1280 x 960", 36},  {"1280 x 1024", 37},
             {"1360 x 768", 56},  {"1600 x 900", 38},  {"1600 x 1024", 39}, {"1600 x 1200", 40}, {"1920 x 1080", 41},
             {"1920 x 1200", 42}, {"1920 x 1440", 43}, {"2048 x 1536", 44}};

const struct {
    const char* name;
    WPARAM key;
} kKeys[] = {{"Return", VK_RETURN}, {"Escape", VK_ESCAPE}, {"Tab", VK_TAB}, {"Up", VK_UP}, {"Down", VK_DOWN}};

WPARAM KeyNamed(const std::string& name) {
    for (const auto& key : kKeys) {
        if (name == key.name)
            return key.key;
    }
    Fail("no key named \"" + name + "\" (Return, Escape, Tab, Up, Down)");
}

void WaitMain(Session& s, const Args&) {
    HWND window = s.MainWindow();
    if (!WaitFor([&] { return IsWindowEnabled(window) != FALSE; }))
        Fail("main window stays disabled");
}

// A one-line static text wider than its control shows cut off: a caption
// read here must also be one the user can read whole. Measured in the font of
// the program's dialog templates, made as the dialog manager makes it (the
// font handle of another process cannot be selected here); under Wine the
// program has no Trebuchet MS to replace it with.
void CheckShownWhole(HWND control, const std::string& name, const std::string& text) {
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Static") != 0)
        return;
    HDC dc = GetDC(nullptr);
    const HFONT font = CreateFontA(-MulDiv(8, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                   FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                   DEFAULT_PITCH | FF_DONTCARE, "MS Shell Dlg");
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    const bool measured =
        previous != nullptr && GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    if (!measured)
        Fail("cannot measure the text of " + name);
    RECT area{};
    GetClientRect(control, &area);
    if (size.cy * 2 > area.bottom && size.cx > area.right)
        Fail(name + " is cut off: \"" + text + "\" is " + std::to_string(size.cx) + " pixels wide, its control " +
             std::to_string(area.right));
}

void PrintText(Session& s, const Args& a) {
    const HWND control = Control(s.Current(), a[0]);
    const std::string text = Text(control);
    CheckShownWhole(control, a[0], text);
    std::printf("%s=%s\n", a[0].c_str(), text.c_str());
}

void PrintRates(Session& s, const Args&) {
    for (const auto& row : kRows) {
        std::printf("%s=%s\n", row.caption, Text(GetDlgItem(s.MainWindow(), IDC_LABEL(row.rateLabel))).c_str());
    }
}

void Click(Session& s, const Args& a) {
    Command(s.Current(), ControlId(a[0]), Control(s.Current(), a[0]));
}

void Arrow(Session& s, const Args& a) {
    if (a[1] != "+1" && a[1] != "-1")
        Fail("an arrow step ends in +1 or -1, not \"" + a[1] + "\"");
    ClickArrow(Control(s.Current(), a[0]), a[1] == "+1" ? 1 : -1);
}

void Menu(Session& s, const Args& a) {
    Command(s.MainWindow(), ControlId(a[0]), nullptr);
}

void Type(Session& s, const Args& a) {
    TypeText(s.Current(), Control(s.Current(), a[0]), a[1]);
}

void Key(Session& s, const Args& a) {
    PressKey(Control(s.Current(), a[0]), KeyNamed(a[1]));
}

void Keys(Session& s, const Args& a) {
    PressKeys(s.Current(), a[0]);
}

void Box(Session&, const Args& a) {
    AnswerBox(a[0]);
}

void Icon(Session&, const Args&) {
    std::printf("icon=%s\n", BoxIcon(WaitMessageBox()));
}

void BoxDefaultButton(Session&, const Args&) {
    std::printf("default=%s\n", BoxDefault(WaitMessageBox()));
}

void MenuItemState(Session& s, const Args& a) {
    PrintMenuItem(s.MainWindow(), a[0], ControlId(a[0]));
}

void NoBox(Session&, const Args&) {
    Sleep(200);
    if (HWND box = FindMessageBox())
        Fail("unexpected message box: " + Text(GetDlgItem(box, 0xFFFF)));
}

void Dialog(Session& s, const Args& a) {
    s.target = WaitTopLevel("#32770", a[0].c_str());
}

void Main(Session& s, const Args&) {
    s.target = nullptr;
}

void Closed(Session& s, const Args& a) {
    if (!WaitFor([&] { return FindTopLevel("#32770", a[0].c_str()) == nullptr; })) {
        Fail("\"" + a[0] + "\" is still open");
    }
    s.target = nullptr;
}

void Enabled(Session& s, const Args&) {
    HWND window = s.MainWindow();
    // Give a just-closed dialog's re-enabling its moment.
    WaitFor([&] { return IsWindowEnabled(window) != FALSE; });
    std::printf("enabled=%d\n", IsWindowEnabled(window) ? 1 : 0);
}

void EnabledNow(Session& s, const Args&) {
    std::printf("enabled=%d\n", IsWindowEnabled(s.MainWindow()) ? 1 : 0);
}

// In twips when the height is exactly one of the window's two heights in
// this screen's pixels; in pixels otherwise.
void Height(Session& s, const Args&) {
    RECT bounds;
    GetWindowRect(s.MainWindow(), &bounds);
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
}

void Press(Session& s, const Args& a) {
    SendNotifyMessageA(Control(s.Current(), a[0]), BM_CLICK, 0, 0);
    Settle(s.Current());
}

void Window(Session&, const Args& a) {
    WaitTopLevel(nullptr, a[0].c_str());
}

void WindowGone(Session&, const Args& a) {
    if (!WaitFor([&] { return FindTopLevel(nullptr, a[0].c_str()) == nullptr; })) {
        Fail("\"" + a[0] + "\" is still open");
    }
}

void Gone(Session&, const Args&) {
    if (!WaitFor([] { return FindTopLevel("#32770", kMainTitle) == nullptr; }))
        Fail("tsln.exe did not end");
}

void HelpWindow(Session& s, const Args&) {
    PrintHelpWindow(s.MainWindow());
}

void Menus(Session& s, const Args&) {
    PrintMenus(s.MainWindow());
}

void QuickSet(Session& s, const Args&) {
    HWND window = s.MainWindow();
    bool enabled = true;
    bool disabled = true;
    for (const int id : {IDC_TEXT1, IDC_UPDOWN24, IDC_CMDCALC, IDC_CMDCALCDEF}) {
        const bool on = IsWindowEnabled(GetDlgItem(window, id)) != FALSE;
        enabled = enabled && on;
        disabled = disabled && !on;
    }
    const std::string text = Text(GetDlgItem(window, IDC_TEXT1));
    std::printf("Quick set: %s kHz, %s\n", text.empty() ? "(empty)" : text.c_str(),
                enabled    ? "enabled"
                : disabled ? "disabled"
                           : "partly enabled");
}

void Selectors(Session& s, const Args&) {
    int enabled = 0;
    for (int n = 1; n <= 23; ++n)
        enabled += IsWindowEnabled(GetDlgItem(s.MainWindow(), IDC_UPDOWN(n))) ? 1 : 0;
    std::printf("selectors: %d of 23 enabled\n", enabled);
}

void Check(Session& s, const Args& a) {
    const LRESULT state = SendMessageA(Control(s.Current(), a[0]), BM_GETCHECK, 0, 0);
    std::printf("%s=%s\n", a[0].c_str(), state == BST_CHECKED ? "checked" : "unchecked");
}

void CloseBox(Session& s, const Args&) {
    HWND window = s.Current();
    SendNotifyMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    Settle(window);
}

void Items(Session& s, const Args& a) {
    HWND combo = Control(s.Current(), a[0]);
    const LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT n = 0; n < count; ++n) {
        // The wide form: Wine passes the ANSI one between processes cut to its first character.
        wchar_t item[256] = L"";
        if (SendMessageW(combo, CB_GETLBTEXTLEN, n, 0) >= 256)
            Fail("item too long");
        SendMessageW(combo, CB_GETLBTEXT, n, reinterpret_cast<LPARAM>(item));
        char text[512] = "";
        WideCharToMultiByte(CP_ACP, 0, item, -1, text, sizeof text, nullptr, nullptr);
        std::printf("item=%s\n", text);
    }
}

void Modes(Session&, const Args&) {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    for (DWORD n = 0; EnumDisplaySettingsA(nullptr, n, &mode); ++n) {
        std::printf("%lu %lu %lu %lu\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
                    mode.dmDisplayFrequency);
    }
}

// The name box of a common Open or Save dialog: a combo box (cmb13) in the
// Explorer style, an edit box (edt1) in the old one.
void FileName(Session& s, const Args& a) {
    const HWND dialog = s.Current();
    HWND box = GetDlgItem(dialog, cmb13);
    if (box == nullptr)
        box = GetDlgItem(dialog, edt1);
    if (box == nullptr)
        Fail("no file name box in this window");
    TypeText(dialog, box, a[0]);
    PressKeys(dialog, "Return");
}

void Help(Session&, const Args&);

const struct Step {
    const char* verb;
    const char* arguments;  // as written after the verb, one ":" before each
    void (*run)(Session&, const Args&);
    const char* what;
} kSteps[] = {
    {"wait-main", "", WaitMain, "wait until \"Tessaline v2.0\" is visible and enabled"},
    {"text", "NAME", PrintText, "print \"NAME=caption\" of a control of the addressed window"},
    {"rates", "", PrintRates, "print the 23 rate labels, one \"caption=rate\" line each"},
    {"click", "NAME", Click, "click a button (returns once it is handled or waits in a message box)"},
    {"arrow", "NAME:+1|-1", Arrow, "click the right or upper (+1) or left or lower (-1) arrow of a spin control"},
    {"menu", "NAME", Menu, "choose a menu item (returns like click)"},
    {"type", "NAME:TEXT", Type,
     "give the box the focus, empty it with Home, Shift+End, Delete and type TEXT "
     "with real key presses; a key the box refuses stays refused"},
    {"key", "NAME:KEY", Key,
     "press and release Return, Escape, Tab, Up or Down in a box; returns once the "
     "window has handled both (or has closed)"},
    {"keys", "KEYS", Keys,
     "bring the addressed window to the front and press KEYS through the system's input queue, one word "
     "a key: \"Alt+E Down Return\" (Return, Escape, Tab, Up, Down, Left, Right or a character; Alt+ and "
     "Shift+ hold those)"},
    {"press", "NAME", Press, "click a control itself (BM_CLICK): an option button takes its mark"},
    {"box", "Yes|No|OK", Box, "wait for a message box, print \"box=TEXT\", press the button"},
    {"icon", "", Icon,
     "wait for a message box, print \"icon=none\", \"icon=error\", \"icon=information\" or "
     "\"icon=warning\""},
    {"box-default", "", BoxDefaultButton,
     "wait for a message box, print \"default=Yes\", \"default=No\" or \"default=OK\""},
    {"no-box", "", NoBox, "fail if a message box is open"},
    {"dialog", "TITLE", Dialog, "wait for one of the small windows; later steps address it"},
    {"main", "", Main, "address the main window again"},
    {"closed", "TITLE", Closed, "wait until that window is gone; address the main window again"},
    {"close-box", "", CloseBox, "close the addressed window by its close box"},
    {"enabled", "", Enabled, "print \"enabled=1\" or \"enabled=0\" for the main window, once it is enabled"},
    {"enabled-now", "", EnabledNow, "the same without waiting: while a small window holds it disabled"},
    {"height", "", Height, "print the main window's height in twips"},
    {"menus", "", Menus, "print the two switchable Extras items as the console's \"show\" does"},
    {"menu-item", "NAME", MenuItemState,
     "print \"NAME=enabled\" or \"NAME=disabled\" (\", checked\" after a checked one)"},
    {"quickset", "", QuickSet, "print \"Quick set: TEXT kHz, enabled\" (or \"(empty)\", \"disabled\")"},
    {"selectors", "", Selectors, "print \"selectors: N of 23 enabled\""},
    {"check", "NAME", Check, "print \"NAME=checked\" or \"NAME=unchecked\""},
    {"items", "NAME", Items, "print the items of a combo box, one \"item=TEXT\" line each"},
    {"window", "TITLE", Window, "wait for a visible top-level window of any class with that title"},
    {"window-gone", "TITLE", WindowGone, "wait until no visible top-level window has that title"},
    {"gone", "", Gone, "wait until tsln.exe has no window left"},
    {"help-window", "", HelpWindow,
     "wait for the HTML Help window, print \"help=TITLE\", \"help-contents=N\" "
     "and \"help-index=N\""},
    {"deny-writes", "KEY", [](Session&, const Args& a) { DenyWrites(a[0]); },
     "give HKLM\\KEY an access list that allows only reading"},
    {"values", "KEY", [](Session&, const Args& a) { PrintValues(a[0]); },
     "print the values of HKLM\\KEY, one \"name=TYPE:data\" line each; nothing when the key is missing"},
    {"say", "TEXT", [](Session&, const Args& a) { std::printf("%s\n", a[0].c_str()); },
     "print TEXT as a line: marks where the output of the steps after it starts"},
    {"run-entry", "", [](Session&, const Args&) { RunEntry(); },
     "run the Run entry \"TSLN\" as Windows does at logon; print \"run-entry=ended\" once it ended with 0"},
    {"file-name", "TEXT", FileName,
     "type TEXT into the name box of the addressed Open or Save dialog with real key presses, then press Return"},
    {"modes", "", Modes, "print EnumDisplaySettings as \"width height bpp hz\" lines"},
    {"help", "", Help, "print this list"},
};

void Help(Session&, const Args&) {
    for (const auto& step : kSteps) {
        std::printf("  %s%s%-*s %s\n", step.verb, *step.arguments ? ":" : "",
                    static_cast<int>(22 - std::strlen(step.verb) - (*step.arguments ? 1 : 0)), step.arguments,
                    step.what);
    }
}

// The arguments of "verb:a:b": as many as the step has, the last one taking
// the rest (a typed text may hold a colon).
Args Arguments(const std::string& text, const Step& step) {
    std::size_t wanted = *step.arguments ? 1 : 0;
    for (const char* c = step.arguments; *c; ++c)
        wanted += *c == ':' ? 1 : 0;
    Args fields;
    std::size_t start = text.find(':');
    while (start != std::string::npos && fields.size() + 1 < wanted) {
        const std::size_t colon = text.find(':', start + 1);
        if (colon == std::string::npos)
            break;
        fields.push_back(text.substr(start + 1, colon - start - 1));
        start = colon;
    }
    if (start != std::string::npos && wanted > 0)
        fields.push_back(text.substr(start + 1));
    if (fields.size() != wanted)
        Fail("\"" + text + "\" is not " + step.verb + (wanted ? ":" : "") + step.arguments);
    return fields;
}

}  // namespace

int main(int argc, char** argv) {
    Session session;
    for (int i = 1; i < argc; ++i) {
        const std::string text = argv[i];
        const std::string verb = text.substr(0, text.find(':'));
        const Step* step = nullptr;
        for (const auto& candidate : kSteps) {
            if (verb == candidate.verb)
                step = &candidate;
        }
        if (step == nullptr)
            Fail("unknown step \"" + text + "\" (\"help\" lists them)");
        step->run(session, Arguments(text, *step));
        std::fflush(stdout);
    }
    return 0;
}
