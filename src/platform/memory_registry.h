#pragma once
// An in-memory registry with the behaviour of the real one for every case the
// helpers meet: case-insensitive key and value names, parent keys created on
// write, values kept byte for byte with their type.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace tsln {

class MemoryRegistry : public RegistryApi {
public:
    struct Value {
        std::string name;  // as first written (names compare case-insensitively)
        std::uint32_t type = kRegNone;
        std::vector<std::uint8_t> data;
    };
    struct Key;

    MemoryRegistry();
    ~MemoryRegistry() override;

    long OpenKey(RegHandle root, const char* subKey, RegHandle* result) override;
    long OpenKeyEx(RegHandle root, const char* subKey, std::uint32_t options, std::uint32_t access,
                   RegHandle* result) override;
    long CreateKey(RegHandle root, const char* subKey, RegHandle* result) override;
    long QueryValueEx(RegHandle key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* dataSize) override;
    long SetValueEx(RegHandle key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t dataSize) override;
    long DeleteValue(RegHandle key, const char* valueName) override;
    long CloseKey(RegHandle key) override;

    // Counts successful writes and deletes, so a caller can tell whether the
    // registry changed since it looked last.
    std::uint64_t Revision() const;
    // Number of handles opened and not yet closed (a leak check for tests).
    std::size_t OpenHandleCount() const;
    // Makes every write under the key at path (root-relative) fail with
    // access denied, the way a key without write rights does.
    void DenyWrites(RegHandle root, const std::string& path);

    // For the .reg reader and writer.
    Key& Root(RegHandle root);
    const Key* FindKey(RegHandle root, const std::string& path) const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tsln
