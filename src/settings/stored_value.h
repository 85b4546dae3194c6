#pragma once
// A registry value exactly as stored (or its absence), so that a change that
// went only half through can be put back byte for byte.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace tsln {

struct StoredValue {
    bool found = false;
    std::uint32_t type = kRegNone;
    std::vector<std::uint8_t> data;
    bool operator==(const StoredValue& o) const { return found == o.found && type == o.type && data == o.data; }
};

// A value of more than maxSize bytes reads as not found, without its bytes being read.
StoredValue ReadStoredValue(RegistryApi& reg, const std::string& path, const std::string& name,
                            std::uint32_t maxSize = UINT32_MAX);
// The text of a string value; nothing when it is missing or holds no text.
std::optional<std::string> ReadStoredText(RegistryApi& reg, const std::string& path, const std::string& name);
// Sets a string value and reads it back, since the registry helpers stay
// silent about a refused write: true only when it now holds exactly text.
bool WriteStoredText(RegistryApi& reg, const std::string& path, const std::string& name, const std::string& text);

enum class MissingKey { Create, Leave };
// Writes or deletes the value until it reads back as before; nothing when it
// already does. With MissingKey::Leave a key that is gone is not made again.
void RestoreStoredValue(RegistryApi& reg, const std::string& path, const std::string& name, const StoredValue& before,
                        MissingKey missingKey = MissingKey::Create);

}  // namespace tsln
