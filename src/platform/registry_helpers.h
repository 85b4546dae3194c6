#pragma once
// The program's registry helpers. They are silent by design: a read that
// cannot be done gives the caller's default, a failed write is dropped. The
// operations that write the driver's value check the outcome themselves by
// reading it back.
#include <cstdint>
#include <string>

#include "platform/registry_api.h"

namespace tsln {

std::string RegGetString(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                         const std::string& defaultValue);
void RegSetString(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                  const std::string& text);
std::int32_t RegGetDword(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                         std::int32_t defaultValue);
void RegSetDword(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                 std::int32_t value);
void RegDeleteValue(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name);
// Deletes the key at path when it holds neither values nor sub-keys: a key the program made for values it has
// since removed. A key straight under the root is never deleted.
void RegDeleteEmptyKey(RegistryApi& reg, RegHandle root, const std::string& path);

// Unlike the setters above these never create a key: a write that must only
// land where a key still is (a driver key that may have gone with its
// driver) opens the existing one, and reports whether it could.
bool RegKeyExists(RegistryApi& reg, RegHandle root, const std::string& path);
long RegSetExistingValue(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                         std::uint32_t type, const std::uint8_t* data, std::uint32_t size);

}  // namespace tsln
