// DisplayDeviceApi through user32 EnumDisplayDevicesA, which Windows 2000 has.
#include <memory>

#include "platform/win32_backends.h"

// clang-format off: the system headers come after ours, so that their A/W
// macros cannot rename the methods of the interfaces.
#include <windows.h>
// clang-format on

// The interface method carries this plain name.
#undef EnumDisplayDevices

namespace tsln {
namespace {

// The fixed-size fields are NUL-terminated by Windows, but a field filled to
// the last byte is read no further than its end.
template <std::size_t N>
std::string FieldText(const CHAR (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != '\0')
        ++length;
    return std::string(field, length);
}

class Win32DisplayDevices : public DisplayDeviceApi {
public:
    bool EnumDisplayDevices(const char* device, std::uint32_t devNum, DisplayDevice* result) override {
        DISPLAY_DEVICEA entry;
        ZeroMemory(&entry, sizeof(entry));
        entry.cb = sizeof(entry);
        if (!EnumDisplayDevicesA(device, devNum, &entry, 0))
            return false;
        result->deviceName = FieldText(entry.DeviceName);
        result->deviceString = FieldText(entry.DeviceString);
        result->stateFlags = entry.StateFlags;
        result->deviceId = FieldText(entry.DeviceID);
        result->deviceKey = FieldText(entry.DeviceKey);
        return true;
    }
};

}  // namespace

std::unique_ptr<DisplayDeviceApi> MakeWin32DisplayDevices() {
    return std::make_unique<Win32DisplayDevices>();
}

}  // namespace tsln
