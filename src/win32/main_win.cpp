// tsln.exe: the start-up runs before any window exists, so a quiet
// "/startup" run never shows or flashes one.
#include <memory>

#include "app/frm_main.h"
#include "app/undo.h"
#include "platform/win32_backends.h"
#include "vsync/d3d8_tester.h"
#include "win32/services_win.h"

#include <windows.h>

#include <commctrl.h>

#include "win32/views_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace tsln;

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);

    auto registry = MakeWin32Registry();
    auto displayModes = MakeWin32DisplayModes();
    auto displayDevices = MakeWin32DisplayDevices();
    auto fileVersion = MakeWin32FileVersion();
    auto shell = MakeWin32Shell();
    auto files = MakeWin32Files();
    auto tester = MakeDirect3D8Tester();
    Win32Messages messages;
    Win32Beeper beeper;
    Win32Clock clock;
    System system{*registry, *displayModes, *displayDevices, *fileVersion,          *shell, *files, messages,
                  beeper,    clock,         ProgramFolder(), CommandLineArguments()};
    // Safe Mode: the driver is not loaded and the device map names another
    // key, so the start-up would refuse the PC; the undo record says where
    // the value lives.
    if (IsUndoCommand(system.commandLine)) {
        UndoLastChange(system);
        return 0;
    }

    ProgramState state;
    frmMain form(system, state, *tester);

    if (form.Form_Load() == Outcome::EndProgram)
        return 0;

    MainView view(form, instance);
    if (!view.Create())
        return 1;
    view.Sync();
    ShowWindow(view.Handle(), SW_SHOW);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (view.TranslateDialogMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
