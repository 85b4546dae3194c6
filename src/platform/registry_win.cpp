// The registry primitives over advapi32's single-byte functions, one call each. The same code builds for
// i686 and x86_64, so that what the x64 build proves under Wine holds for the product.
#include <windows.h>

#include <memory>

#include "platform/registry_api.h"
#include "platform/win32_backends.h"

namespace tsln {
namespace {

// The predefined roots are 32-bit constants on the caller's side; on x64 the HKEY values are those constants
// sign-extended to 64 bits, so a plain cast of 0x80000002 would not name HKEY_LOCAL_MACHINE.
HKEY ToHkey(RegHandle handle) {
    if (handle == kHkeyLocalMachine) {
        return HKEY_LOCAL_MACHINE;
    }
    if (handle == kHkeyCurrentUser) {
        return HKEY_CURRENT_USER;
    }
    return reinterpret_cast<HKEY>(handle);
}

// RegOpenKey hands back the handle it was given for an empty path, which may be a root: keep the caller's
// spelling of it, so that the result compares equal to what was passed in.
RegHandle FromHkey(HKEY key) {
    if (key == HKEY_LOCAL_MACHINE) {
        return kHkeyLocalMachine;
    }
    if (key == HKEY_CURRENT_USER) {
        return kHkeyCurrentUser;
    }
    return reinterpret_cast<RegHandle>(key);
}

class Win32Registry : public RegistryApi {
public:
    long OpenKey(RegHandle root, const char* subKey, RegHandle* result) override {
        if (result == nullptr) {
            return RegOpenKeyA(ToHkey(root), subKey, nullptr);
        }
        // Seeded with the caller's value, so that whatever Windows leaves in it on failure shows through.
        HKEY key = ToHkey(*result);
        const LONG rc = RegOpenKeyA(ToHkey(root), subKey, &key);
        *result = FromHkey(key);
        return rc;
    }

    long OpenKeyEx(RegHandle root, const char* subKey, std::uint32_t options, std::uint32_t access,
                   RegHandle* result) override {
        if (result == nullptr) {
            return RegOpenKeyExA(ToHkey(root), subKey, options, access, nullptr);
        }
        HKEY key = ToHkey(*result);
        const LONG rc = RegOpenKeyExA(ToHkey(root), subKey, options, access, &key);
        *result = FromHkey(key);
        return rc;
    }

    long CreateKey(RegHandle root, const char* subKey, RegHandle* result) override {
        if (result == nullptr) {
            return RegCreateKeyA(ToHkey(root), subKey, nullptr);
        }
        HKEY key = ToHkey(*result);
        const LONG rc = RegCreateKeyA(ToHkey(root), subKey, &key);
        *result = FromHkey(key);
        return rc;
    }

    long QueryValueEx(RegHandle key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* dataSize) override {
        // DWORD is unsigned long here, not std::uint32_t: pass copies and write back what Windows wrote.
        DWORD typeCopy = type != nullptr ? *type : 0;
        DWORD sizeCopy = dataSize != nullptr ? *dataSize : 0;
        const LONG rc = RegQueryValueExA(ToHkey(key), valueName, nullptr, type != nullptr ? &typeCopy : nullptr, data,
                                         dataSize != nullptr ? &sizeCopy : nullptr);
        if (type != nullptr) {
            *type = typeCopy;
        }
        if (dataSize != nullptr) {
            *dataSize = sizeCopy;
        }
        return rc;
    }

    long SetValueEx(RegHandle key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t dataSize) override {
        return RegSetValueExA(ToHkey(key), valueName, 0, type, data, dataSize);
    }

    long DeleteValue(RegHandle key, const char* valueName) override { return RegDeleteValueA(ToHkey(key), valueName); }

    long DeleteKey(RegHandle key, const char* subKey) override { return RegDeleteKeyA(ToHkey(key), subKey); }

    long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* values) override {
        DWORD subKeyCount = 0;
        DWORD valueCount = 0;
        const LONG rc = RegQueryInfoKeyA(ToHkey(key), nullptr, nullptr, nullptr, &subKeyCount, nullptr, nullptr,
                                         &valueCount, nullptr, nullptr, nullptr, nullptr);
        if (rc == ERROR_SUCCESS) {
            *subKeys = subKeyCount;
            *values = valueCount;
        }
        return rc;
    }

    long CloseKey(RegHandle key) override { return RegCloseKey(ToHkey(key)); }

    long EnumKeyEx(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
        DWORD sizeCopy = nameSize != nullptr ? *nameSize : 0;
        const LONG rc = RegEnumKeyExA(ToHkey(key), index, name, nameSize != nullptr ? &sizeCopy : nullptr, nullptr,
                                      nullptr, nullptr, nullptr);
        if (nameSize != nullptr) {
            *nameSize = sizeCopy;
        }
        return rc;
    }
};

}  // namespace

std::unique_ptr<RegistryApi> MakeWin32Registry() {
    return std::make_unique<Win32Registry>();
}

}  // namespace tsln
