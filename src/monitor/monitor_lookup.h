#pragma once
// Where Windows 2000/XP keep the monitor's EDID. The primary adapter's
// monitor 0 has a device ID such as
//   MONITOR\SAM0108\{4D36E96E-E325-11CE-BFC1-08002BE10318}\0000
// and its registry key is the one instance under
//   HKLM\SYSTEM\CurrentControlSet\Enum\DISPLAY\SAM0108
// whose "Driver" is the part after the PnP ID; its "Device Parameters" hold
// the EDID as REG_BINARY "EDID".
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "monitor/edid.h"
#include "platform/registry_api.h"
#include "platform/system_api.h"

namespace tsln {

// The device ID of the primary adapter's first monitor; empty when there is none.
std::string PrimaryMonitorDeviceId(DisplayDeviceApi& devices);

// The EDID bytes for the device ID. Nothing when no instance matches, or when
// several do: a monitor's limits are never guessed.
std::optional<std::vector<std::uint8_t>> FindMonitorEdid(RegistryApi& registry, const std::string& deviceId);

// The lookup and the reader: the EDID of the monitor with this device ID, or nothing.
std::optional<Edid> ReadMonitorEdid(RegistryApi& registry, const std::string& deviceId);

}  // namespace tsln
