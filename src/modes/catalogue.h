#pragma once
// Which registry value and which driver-default list belong to an adapter,
// keyed by its "Device Description" exactly as the driver installed it.
#include <optional>
#include <string>
#include <vector>

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

// Every value name the program writes a mode list to, normal and compressed
// (a name shared by several adapters comes once per adapter).
std::vector<std::string> ModeListValueNames();

}  // namespace tsln
