#pragma once
// Which registry value and which driver-default list belong to an adapter,
// keyed by its "Device Description" exactly as the driver installed it.
#include <cstddef>
#include <optional>
#include <string>

namespace tsln {

struct AdapterModes {
    std::string valueName;
    std::string defaultList;
};

// Normal mode list lookup ("NV25_Modes").
std::optional<AdapterModes> SelectAdapterModes(const std::string& description);
// Compressed and mask lookup ("NV25_Modes_Delta"); the mask default when
// maskModeFormat is on, the range default otherwise.
std::optional<AdapterModes> SelectAdapterDeltaModes(const std::string& description, bool maskModeFormat);

// The value names the program writes mode lists to, normal and compressed, by
// index from 0 (a name may come more than once); nullptr past the last.
const char* ModeListValueName(std::size_t index);

}  // namespace tsln
