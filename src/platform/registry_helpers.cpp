#include "platform/registry_helpers.h"

#include "platform/key_closer.h"

namespace tsln {

std::string RegGetString(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                         const std::string& defaultValue) {
    RegHandle key = 0;
    if (reg.OpenKey(root, path.c_str(), &key) != kErrorSuccess) {
        return defaultValue;
    }
    KeyCloser closer(reg, key);

    std::uint32_t type = 0;
    std::uint32_t size = 0;
    if (reg.QueryValueEx(key, name.c_str(), &type, nullptr, &size) != kErrorSuccess || type != kRegSz) {
        return defaultValue;
    }
    // Whatever the second query does not fill stays a space, and the text ends at the first NUL, if there is
    // one: that is how a value stored with or without its terminating NUL both read back as their text.
    std::string buffer(size, ' ');
    std::uint32_t filled = size;
    reg.QueryValueEx(key, name.c_str(), &type, reinterpret_cast<std::uint8_t*>(buffer.data()), &filled);
    std::string::size_type end = buffer.find('\0');
    if (end != std::string::npos) {
        buffer.resize(end);
    }
    return buffer;
}

void RegSetString(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                  const std::string& text) {
    RegHandle key = 0;
    if (reg.CreateKey(root, path.c_str(), &key) != kErrorSuccess) {
        return;
    }
    KeyCloser closer(reg, key);
    // The count leaves out the terminating NUL.
    reg.SetValueEx(key, name.c_str(), kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                   static_cast<std::uint32_t>(text.size()));
}

std::int32_t RegGetDword(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                         std::int32_t defaultValue) {
    RegHandle key = 0;
    if (reg.OpenKey(root, path.c_str(), &key) != kErrorSuccess) {
        return defaultValue;
    }
    KeyCloser closer(reg, key);

    // A 4-byte buffer: longer data fails with "more data" and leaves the default.
    std::uint8_t buffer[4] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof buffer;
    if (reg.QueryValueEx(key, name.c_str(), &type, buffer, &size) != kErrorSuccess || type != kRegDword) {
        return defaultValue;
    }
    const std::uint32_t number = static_cast<std::uint32_t>(buffer[0]) | static_cast<std::uint32_t>(buffer[1]) << 8 |
                                 static_cast<std::uint32_t>(buffer[2]) << 16 |
                                 static_cast<std::uint32_t>(buffer[3]) << 24;
    return static_cast<std::int32_t>(number);
}

void RegSetDword(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                 std::int32_t value) {
    RegHandle key = 0;
    if (reg.CreateKey(root, path.c_str(), &key) != kErrorSuccess) {
        return;
    }
    KeyCloser closer(reg, key);
    const auto number = static_cast<std::uint32_t>(value);
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                                   static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
    reg.SetValueEx(key, name.c_str(), kRegDword, bytes, sizeof bytes);
}

void RegDeleteValue(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name) {
    RegHandle key = 0;
    if (reg.OpenKey(root, path.c_str(), &key) != kErrorSuccess) {
        return;
    }
    KeyCloser closer(reg, key);
    reg.DeleteValue(key, name.c_str());
}

bool RegKeyExists(RegistryApi& reg, RegHandle root, const std::string& path) {
    RegHandle key = 0;
    // A key the user may not read is still there.
    const long result = reg.OpenKeyEx(root, path.c_str(), 0, kKeyQueryValue, &key);
    if (result == kErrorSuccess)
        reg.CloseKey(key);
    return result != kErrorFileNotFound;
}

long RegSetExistingValue(RegistryApi& reg, RegHandle root, const std::string& path, const std::string& name,
                         std::uint32_t type, const std::uint8_t* data, std::uint32_t size) {
    RegHandle key = 0;
    if (const long result = reg.OpenKeyEx(root, path.c_str(), 0, kKeySetValue, &key); result != kErrorSuccess)
        return result;
    KeyCloser closer(reg, key);
    return reg.SetValueEx(key, name.c_str(), type, data, size);
}

void RegDeleteEmptyKey(RegistryApi& reg, RegHandle root, const std::string& path) {
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos || slash == 0 || slash + 1 == path.size()) {
        return;
    }
    std::uint32_t subKeys = 1;
    std::uint32_t values = 1;
    RegHandle key = 0;
    if (reg.OpenKeyEx(root, path.c_str(), 0, kKeyQueryValue, &key) != kErrorSuccess) {
        return;
    }
    {
        KeyCloser closer(reg, key);
        reg.QueryInfoKey(key, &subKeys, &values);
    }
    RegHandle parent = 0;
    if (subKeys != 0 || values != 0 || reg.OpenKey(root, path.substr(0, slash).c_str(), &parent) != kErrorSuccess) {
        return;
    }
    KeyCloser closer(reg, parent);
    reg.DeleteKey(parent, path.substr(slash + 1).c_str());
}

}  // namespace tsln
