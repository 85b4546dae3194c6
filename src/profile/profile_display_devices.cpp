#include "profile/profile_display_devices.h"

namespace tsln {
namespace {

constexpr char kAdapterName[] = "\\\\.\\DISPLAY1";
constexpr std::uint32_t kAttachedToDesktop = 0x00000001;
constexpr std::uint32_t kMonitorActive = 0x00000001;

}  // namespace

bool ProfileDisplayDevices::EnumDisplayDevices(const char* device, std::uint32_t devNum, DisplayDevice* result) {
    if (devNum != 0)
        return false;
    if (device == nullptr) {
        *result =
            DisplayDevice{kAdapterName, "Display adapter", kAttachedToDesktop | kDisplayDevicePrimaryDevice, "", ""};
        return true;
    }
    if (std::string(device) != kAdapterName || monitorDeviceId_.empty())
        return false;
    *result = DisplayDevice{std::string(kAdapterName) + "\\Monitor0", "Plug and Play Monitor", kMonitorActive,
                            monitorDeviceId_, ""};
    return true;
}

}  // namespace tsln
