#include "monitor/monitor_lookup.h"

#include "platform/key_closer.h"
#include "platform/names.h"
#include "platform/registry_helpers.h"

namespace tsln {
namespace {

const char kDisplayEnumKey[] = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\";
const char kMonitorPrefix[] = "MONITOR\\";
// Enough for every adapter and monitor instance a PC has; a registry with
// more is not one to read limits from.
constexpr std::uint32_t kMostAdapters = 16;
constexpr std::uint32_t kMostInstances = 256;
// An EDID with all its extension blocks is at most 256 x 128 bytes.
constexpr std::uint32_t kMostEdidBytes = 256 * 128;

std::vector<std::string> SubKeyNames(RegistryApi& registry, const std::string& path) {
    std::vector<std::string> names;
    RegHandle key = 0;
    if (registry.OpenKeyEx(kHkeyLocalMachine, path.c_str(), 0, kKeyRead, &key) != kErrorSuccess)
        return names;
    KeyCloser closer(registry, key);
    for (std::uint32_t index = 0; index <= kMostInstances; ++index) {
        char name[256];
        std::uint32_t size = sizeof name;
        const long rc = registry.EnumKeyEx(key, index, name, &size);
        if (rc == kErrorNoMoreItems)
            break;
        if (rc != kErrorSuccess)
            continue;  // a name too long for a registry key: no instance of ours
        names.emplace_back(name, size);
    }
    return names;
}

std::optional<std::vector<std::uint8_t>> ReadBinary(RegistryApi& registry, const std::string& path, const char* name) {
    RegHandle key = 0;
    if (registry.OpenKeyEx(kHkeyLocalMachine, path.c_str(), 0, kKeyRead, &key) != kErrorSuccess)
        return std::nullopt;
    KeyCloser closer(registry, key);
    std::uint32_t type = kRegNone;
    std::uint32_t size = 0;
    if (registry.QueryValueEx(key, name, &type, nullptr, &size) != kErrorSuccess || type != kRegBinary ||
        size > kMostEdidBytes) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(size + 1);
    if (registry.QueryValueEx(key, name, &type, bytes.data(), &size) != kErrorSuccess || type != kRegBinary ||
        size >= bytes.size()) {
        return std::nullopt;
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace

std::string PrimaryMonitorDeviceId(DisplayDeviceApi& devices) {
    DisplayDevice adapter;
    for (std::uint32_t i = 0; i < kMostAdapters && devices.EnumDisplayDevices(nullptr, i, &adapter); ++i) {
        if ((adapter.stateFlags & kDisplayDevicePrimaryDevice) == 0)
            continue;
        DisplayDevice monitor;
        if (!devices.EnumDisplayDevices(adapter.deviceName.c_str(), 0, &monitor))
            return "";
        return monitor.deviceId;
    }
    return "";
}

std::optional<std::vector<std::uint8_t>> FindMonitorEdid(RegistryApi& registry, const std::string& deviceId) {
    const std::string prefix = kMonitorPrefix;
    if (!SameName(deviceId.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::size_t slash = deviceId.find('\\', prefix.size());
    if (slash == std::string::npos || slash == prefix.size() || slash + 1 == deviceId.size())
        return std::nullopt;
    const std::string pnpKey = kDisplayEnumKey + deviceId.substr(prefix.size(), slash - prefix.size());
    const std::string driver = deviceId.substr(slash + 1);

    std::optional<std::string> match;
    for (const std::string& instance : SubKeyNames(registry, pnpKey)) {
        const std::string path = pnpKey + "\\" + instance;
        if (!SameName(RegGetString(registry, kHkeyLocalMachine, path, "Driver", ""), driver))
            continue;
        if (match)
            return std::nullopt;
        match = path;
    }
    if (!match)
        return std::nullopt;
    return ReadBinary(registry, *match + "\\Device Parameters", "EDID");
}

std::optional<Edid> ReadMonitorEdid(RegistryApi& registry, const std::string& deviceId) {
    const auto bytes = FindMonitorEdid(registry, deviceId);
    if (!bytes)
        return std::nullopt;
    return ReadEdid(*bytes);
}

}  // namespace tsln
