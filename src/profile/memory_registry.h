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
    // What Windows takes: keys at most this deep below a root, key names at most this long.
    static constexpr std::size_t kMaxKeyDepth = 512;
    static constexpr std::size_t kMaxKeyNameLength = 255;

    struct Value {
        std::string name;  // as first written (names compare case-insensitively)
        std::uint32_t type = kRegNone;
        std::vector<std::uint8_t> data;
    };
    struct Key {
        Key() = default;
        // Takes the tree apart one key at a time, so that no depth of keys can exhaust the stack.
        ~Key();
        Key(const Key&) = delete;
        Key& operator=(const Key&) = delete;

        std::string name;           // as first created; empty for a root
        std::vector<Value> values;  // in the order first written, the order Windows enumerates them in
        // Position in values by case-folded name, kept by PutValue and RemoveValue: a key with many values
        // is searched in logarithmic time.
        std::map<std::string, std::size_t> valueIndex;
        // By case-folded name: found in logarithmic time, and enumerated in the order Windows enumerates
        // the sub-keys of a persistent key, sorted without regard to case.
        std::map<std::string, std::unique_ptr<Key>> subKeys;
        Key* parent = nullptr;
        bool denyWrites = false;

        // Names compare with ASCII case folding, as the registry does for the names the program uses.
        Key* FindSubKey(const std::string& subKeyName) const;
        const Value* FindValue(const std::string& valueName) const;
    };

    MemoryRegistry();
    ~MemoryRegistry() override;
    MemoryRegistry(const MemoryRegistry&) = delete;
    MemoryRegistry& operator=(const MemoryRegistry&) = delete;

    long OpenKey(RegHandle root, const char* subKey, RegHandle* result) override;
    long OpenKeyEx(RegHandle root, const char* subKey, std::uint32_t options, std::uint32_t access,
                   RegHandle* result) override;
    // Refuses with kErrorInvalidParameter, creating nothing, a key Windows refuses (a name over
    // kMaxKeyNameLength, more than kMaxKeyDepth levels) or one a .reg file cannot carry (a control
    // character in its name): the profile must load again what it saves.
    long CreateKey(RegHandle root, const char* subKey, RegHandle* result) override;
    long QueryValueEx(RegHandle key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* dataSize) override;
    // Like Windows NT, a string value (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) whose counted data does not end in
    // NUL gets the NUL that follows it in the caller's buffer, if one does: for those types the byte at
    // data[dataSize] is read, so the buffer must extend one byte past the count (a std::string's does).
    // A value name with a control character is refused with kErrorInvalidParameter, as CreateKey refuses
    // such a key name. Writing the type and bytes a value already has is no change (Revision stays).
    long SetValueEx(RegHandle key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t dataSize) override;
    long DeleteValue(RegHandle key, const char* valueName) override;
    long DeleteKey(RegHandle key, const char* subKey) override;
    long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* values) override;
    long CloseKey(RegHandle key) override;
    // Sub-keys come in the order of their case-folded names, as Windows gives them.
    long EnumKeyEx(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;

    // Counts the writes and deletes that changed something, so a caller can
    // tell whether the registry changed since it looked last.
    std::uint64_t Revision() const;
    // Number of handles opened and not yet closed (a leak check for tests).
    std::size_t OpenHandleCount() const;
    // Makes every write under the key at path (root-relative) fail with
    // access denied, the way a key without write rights does.
    void DenyWrites(RegHandle root, const std::string& path);

    // For the .reg reader and writer. Root() accepts kHkeyLocalMachine and kHkeyCurrentUser and throws
    // std::invalid_argument for anything else.
    Key& Root(RegHandle root);
    const Key* FindKey(RegHandle root, const std::string& path) const;
    // The key at path, created with its missing parents. An empty path is the root itself.
    Key& MakeKey(RegHandle root, const std::string& path);
    // Stores exactly the given bytes (no NUL rule, no DenyWrites, no name rules): what a .reg file says is what
    // the key holds.
    void PutValue(Key& key, const std::string& valueName, std::uint32_t type, std::vector<std::uint8_t> data);
    bool RemoveValue(Key& key, const std::string& valueName);
    // Deletes the key and everything below it; handles still open on them fail with kErrorKeyDeleted.
    // A root cannot be deleted. False when there is no such key.
    bool DeleteKeyTree(RegHandle root, const std::string& path);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tsln
