#pragma once
// A registry value exactly as stored (or its absence), so that a change that
// went only half through can be put back byte for byte.
#include <cstdint>
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
enum class MissingKey { Create, Leave };
// Writes or deletes the value until it reads back as before; nothing when it
// already does. With MissingKey::Leave a key that is gone is not made again.
void RestoreStoredValue(RegistryApi& reg, const std::string& path, const std::string& name, const StoredValue& before,
                        MissingKey missingKey = MissingKey::Create);

}  // namespace tsln
