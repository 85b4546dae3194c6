#pragma once
// The registry primitives the helpers are written over, shaped like the
// advapi32 single-byte calls they stand for, so that the Win32 backend is a
// one-line forward per call and the in-memory backend can be held to the same
// contract by one shared test suite.
#include <cstdint>

namespace tsln {

// A key handle as the caller sees it. Root keys use their predefined values;
// every other value is whatever the backend handed out.
using RegHandle = std::uintptr_t;

constexpr RegHandle kHkeyLocalMachine = 0x80000002u;
constexpr RegHandle kHkeyCurrentUser = 0x80000001u;

// Value types, with the numbers Windows gives them.
constexpr std::uint32_t kRegNone = 0;
constexpr std::uint32_t kRegSz = 1;
constexpr std::uint32_t kRegExpandSz = 2;
constexpr std::uint32_t kRegBinary = 3;
constexpr std::uint32_t kRegDword = 4;
constexpr std::uint32_t kRegMultiSz = 7;

// Result codes, with the numbers Windows gives them.
constexpr long kErrorSuccess = 0;
constexpr long kErrorFileNotFound = 2;
constexpr long kErrorAccessDenied = 5;
constexpr long kErrorInvalidHandle = 6;
constexpr long kErrorInvalidParameter = 87;
constexpr long kErrorBadPathname = 161;
constexpr long kErrorMoreData = 234;
constexpr long kErrorNoMoreItems = 259;
constexpr long kErrorKeyDeleted = 1018;

// Access rights, with the numbers Windows gives them.
constexpr std::uint32_t kKeyQueryValue = 0x0001;
constexpr std::uint32_t kKeySetValue = 0x0002;
constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
constexpr std::uint32_t kKeyRead = 0x20019;
constexpr std::uint32_t kKeyAllAccess = 0xF003F;

class RegistryApi {
public:
    virtual ~RegistryApi() = default;
    // RegOpenKeyA: opens an existing key with full access.
    virtual long OpenKey(RegHandle root, const char* subKey, RegHandle* result) = 0;
    // RegOpenKeyExA
    virtual long OpenKeyEx(RegHandle root, const char* subKey, std::uint32_t options, std::uint32_t access,
                           RegHandle* result) = 0;
    // RegCreateKeyA: opens a key, creating it and any missing parents.
    virtual long CreateKey(RegHandle root, const char* subKey, RegHandle* result) = 0;
    // RegQueryValueExA. data may be null to ask for type and size only.
    virtual long QueryValueEx(RegHandle key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                              std::uint32_t* dataSize) = 0;
    // RegSetValueExA
    virtual long SetValueEx(RegHandle key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                            std::uint32_t dataSize) = 0;
    // RegDeleteValueA
    virtual long DeleteValue(RegHandle key, const char* valueName) = 0;
    // RegDeleteKeyA as Windows NT has it: the sub-key goes with its values, and is refused
    // (kErrorAccessDenied) while it has sub-keys of its own. Handles still open on it fail with
    // kErrorKeyDeleted.
    virtual long DeleteKey(RegHandle key, const char* subKey) = 0;
    // RegQueryInfoKeyA, the number of sub-keys and of values only.
    virtual long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* values) = 0;
    // RegCloseKey
    virtual long CloseKey(RegHandle key) = 0;
    // RegEnumKeyExA without class and time: the index-th sub-key's name into name, nameSize characters
    // of room in (the NUL included), the length without the NUL out. kErrorMoreData when the name does not
    // fit, kErrorNoMoreItems past the last sub-key.
    virtual long EnumKeyEx(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize) = 0;
};

}  // namespace tsln
