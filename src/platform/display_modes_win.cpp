// DisplayModeApi through user32 EnumDisplaySettingsA.
#include <memory>

#include "platform/win32_backends.h"

// clang-format off: the system headers come after ours, so that their A/W
// macros cannot rename the methods of the interfaces.
#include <windows.h>
// clang-format on

// The interface method carries this plain name.
#undef EnumDisplaySettings

namespace tsln {
namespace {

class Win32DisplayModes : public DisplayModeApi {
public:
    bool EnumDisplaySettings(std::uint32_t modeNum, DisplayMode* mode) override {
        DEVMODEA devMode;
        ZeroMemory(&devMode, sizeof(devMode));
        // dmSize tells the system which DEVMODE version we hold; without it
        // the call fails on some systems.
        devMode.dmSize = sizeof(devMode);
        if (!EnumDisplaySettingsA(nullptr, modeNum, &devMode))
            return false;
        mode->width = devMode.dmPelsWidth;
        mode->height = devMode.dmPelsHeight;
        mode->bitsPerPel = devMode.dmBitsPerPel;
        mode->frequency = devMode.dmDisplayFrequency;
        return true;
    }
};

}  // namespace

std::unique_ptr<DisplayModeApi> MakeWin32DisplayModes() {
    return std::make_unique<Win32DisplayModes>();
}

}  // namespace tsln
