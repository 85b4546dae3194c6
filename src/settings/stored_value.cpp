#include "settings/stored_value.h"

#include "platform/key_closer.h"
#include "platform/registry_helpers.h"

namespace tsln {

StoredValue ReadStoredValue(RegistryApi& reg, const std::string& path, const std::string& name, std::uint32_t maxSize) {
    StoredValue value;
    RegHandle key = 0;
    if (reg.OpenKeyEx(kHkeyLocalMachine, path.c_str(), 0, kKeyQueryValue, &key) != kErrorSuccess)
        return value;
    KeyCloser closer(reg, key);
    std::uint32_t size = 0;
    if (reg.QueryValueEx(key, name.c_str(), &value.type, nullptr, &size) != kErrorSuccess || size > maxSize)
        return {};
    value.data.resize(size);
    if (reg.QueryValueEx(key, name.c_str(), &value.type, value.data.data(), &size) != kErrorSuccess)
        return {};
    value.data.resize(size);
    value.found = true;
    return value;
}

std::optional<std::string> ReadStoredText(RegistryApi& reg, const std::string& path, const std::string& name) {
    // A sentinel no stored text holds tells a missing value from an empty text.
    const std::string missing(1, '\x01');
    std::string text = RegGetString(reg, kHkeyLocalMachine, path, name, missing);
    if (text == missing)
        return std::nullopt;
    return text;
}

bool WriteStoredText(RegistryApi& reg, const std::string& path, const std::string& name, const std::string& text) {
    RegSetString(reg, kHkeyLocalMachine, path, name, text);
    return ReadStoredText(reg, path, name) == text;
}

void RestoreStoredValue(RegistryApi& reg, const std::string& path, const std::string& name, const StoredValue& before,
                        MissingKey missingKey) {
    if (ReadStoredValue(reg, path, name) == before)
        return;
    if (!before.found) {
        RegDeleteValue(reg, kHkeyLocalMachine, path, name);
        return;
    }
    // Windows adds a NUL to a string value whose count leaves it out when the
    // byte after the count is one; a byte that is none keeps the count exact.
    std::vector<std::uint8_t> bytes(before.data);
    bytes.push_back(0xFF);
    const auto size = static_cast<std::uint32_t>(before.data.size());
    if (missingKey == MissingKey::Leave) {
        RegSetExistingValue(reg, kHkeyLocalMachine, path, name, before.type, bytes.data(), size);
        return;
    }
    RegHandle key = 0;
    if (reg.CreateKey(kHkeyLocalMachine, path.c_str(), &key) != kErrorSuccess)
        return;
    KeyCloser closer(reg, key);
    reg.SetValueEx(key, name.c_str(), before.type, bytes.data(), size);
}

}  // namespace tsln
