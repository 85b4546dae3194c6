// The state of a menu item of tsln.exe. A menu lives in the process that
// made it: its states are read by a hook that the driver puts into tsln.exe
// (menu_probe_win.cpp).
#include <cstdio>

#include "driver.h"
#include "menu_probe.h"
#include "win32/resource.h"

namespace {

class MenuProbe {
public:
    explicit MenuProbe(HWND window) : window_(window) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string dll = path;
        dll = dll.substr(0, dll.find_last_of('\\') + 1) + "tsln-menu-probe.dll";
        module_ = LoadLibraryA(dll.c_str());
        const auto hook =
            module_ != nullptr
                ? reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(module_, "MenuProbeHook")))
                : nullptr;
        if (hook == nullptr)
            Fail("cannot load " + dll);
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, hook, module_, GetWindowThreadProcessId(window, nullptr));
        if (hook_ == nullptr)
            Fail("cannot hook tsln.exe");
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
        if ((answer & 0xFFFF) == 0xFFFF)
            Fail("no menu item " + std::to_string(id));
        return answer & 0xFFFF;
    }

private:
    HWND window_;
    HMODULE module_ = nullptr;
    HHOOK hook_ = nullptr;
    DWORD calls_ = 0;
};

void PrintMenuState(MenuProbe& probe, int id, const char* caption) {
    const UINT state = probe.State(id);
    std::printf("Extras > %s: %s%s\n", caption, (state & (MF_GRAYED | MF_DISABLED)) ? "disabled" : "enabled",
                (state & MF_CHECKED) ? ", checked" : "");
}

}  // namespace

// The two switchable Extras items as the console's "show" prints them:
// "Extras > Load on Windows Start: enabled, checked".
void PrintMenus(HWND window) {
    MenuProbe probe(window);
    PrintMenuState(probe, IDM_LOAD, "Load on Windows Start");
    PrintMenuState(probe, IDM_TVORES, "TV-Out Resolutions...");
}

// Any one item, by its name in resource.h: "IDM_FITMONITOR=disabled".
void PrintMenuItem(HWND window, const std::string& name, int id) {
    MenuProbe probe(window);
    const UINT state = probe.State(id);
    std::printf("%s=%s%s\n", name.c_str(), (state & (MF_GRAYED | MF_DISABLED)) ? "disabled" : "enabled",
                (state & MF_CHECKED) ? ", checked" : "");
}
