// Loaded into tsln.exe by the driver's "menus" step as a window hook: a menu
// belongs to the process that made it, so its item states can only be read
// from inside that process. When the hooked window receives the message
// "TslnMenuProbe" with a menu ID and a call number, the hook leaves the
// item's GetMenuState result, tagged with the ID, in the window property
// "TslnMenuProbe" and the call number in "TslnMenuProbeCall", which the
// driver reads back.
#include <windows.h>

#include "menu_probe.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
        static const UINT probe = RegisterWindowMessageA(kMenuProbeMessage);
        if (call->message == probe) {
            const UINT id = static_cast<UINT>(call->wParam);
            const UINT state = GetMenuState(GetMenu(call->hwnd), id, MF_BYCOMMAND);
            SetPropA(call->hwnd, kMenuProbeMessage,
                     reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(MenuProbeAnswer(id, state))));
            SetPropA(call->hwnd, kMenuProbeCall, reinterpret_cast<HANDLE>(call->lParam));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
