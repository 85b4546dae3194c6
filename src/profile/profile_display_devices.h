#pragma once
// The display devices of a machine profile: one adapter, the primary one, and
// the monitor that machine.txt names ("monitor=MONITOR\SAM0108\{...}\0000"),
// if it names one.
#include <string>

#include "platform/system_api.h"

namespace tsln {

class ProfileDisplayDevices : public DisplayDeviceApi {
public:
    explicit ProfileDisplayDevices(std::string monitorDeviceId) : monitorDeviceId_(std::move(monitorDeviceId)) {}
    bool EnumDisplayDevices(const char* device, std::uint32_t devNum, DisplayDevice* result) override;

private:
    std::string monitorDeviceId_;
};

}  // namespace tsln
