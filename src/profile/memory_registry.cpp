#include "profile/memory_registry.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

#include "platform/one_line.h"
#include "profile/text.h"

namespace tsln {
namespace {

// First handle value handed out. Real handles are small multiples of four; these never collide with 0 or
// with the predefined roots.
constexpr RegHandle kFirstHandle = 0x1000;

// Empty parts are skipped, so doubled and trailing backslashes do no harm; a leading one makes the path
// invalid (the caller checks that first).
std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) {
            end = path.size();
        }
        if (end > start) {
            parts.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

bool IsEmptyName(const char* name) {
    return name == nullptr || *name == '\0';
}

bool IsBadPath(const char* subKey) {
    return subKey != nullptr && subKey[0] == '\\';
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// A .reg file keeps names on their line, between brackets or quotes: a line
// break would end the line, and the reader trims blanks and carriage returns.
bool HasControlCharacter(const std::string& name) {
    return std::any_of(name.begin(), name.end(), IsControlCharacter);
}

std::size_t DepthOf(const MemoryRegistry::Key* key) {
    std::size_t depth = 0;
    for (; key->parent != nullptr; key = key->parent) {
        ++depth;
    }
    return depth;
}

std::string FoldedName(const std::string& name) {
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldCase);
    return folded;
}

}  // namespace

MemoryRegistry::Key::~Key() {
    std::vector<std::unique_ptr<Key>> pending;
    auto detachChildren = [&pending](Key& key) {
        for (auto& entry : key.subKeys) {
            pending.push_back(std::move(entry.second));
        }
        key.subKeys.clear();
    };
    detachChildren(*this);
    while (!pending.empty()) {
        std::unique_ptr<Key> key = std::move(pending.back());
        pending.pop_back();
        detachChildren(*key);
    }
}

MemoryRegistry::Key* MemoryRegistry::Key::FindSubKey(const std::string& subKeyName) const {
    auto it = subKeys.find(FoldedName(subKeyName));
    return it == subKeys.end() ? nullptr : it->second.get();
}

const MemoryRegistry::Value* MemoryRegistry::Key::FindValue(const std::string& valueName) const {
    auto it = valueIndex.find(FoldedName(valueName));
    return it == valueIndex.end() ? nullptr : &values[it->second];
}

struct MemoryRegistry::Impl {
    struct Handle {
        Key* key;  // null once the key has been deleted
        std::uint32_t access;
    };

    Key localMachine;
    Key currentUser;
    std::map<RegHandle, Handle> handles;
    RegHandle nextHandle = kFirstHandle;
    std::uint64_t revision = 0;

    Key* RootKey(RegHandle root) {
        if (root == kHkeyLocalMachine) {
            return &localMachine;
        }
        if (root == kHkeyCurrentUser) {
            return &currentUser;
        }
        return nullptr;
    }

    // The key behind a root or an open handle, if the handle grants the access asked for.
    long Resolve(RegHandle handle, std::uint32_t access, Key** key) {
        if (Key* root = RootKey(handle)) {
            *key = root;
            return kErrorSuccess;
        }
        auto it = handles.find(handle);
        if (it == handles.end()) {
            return kErrorInvalidHandle;
        }
        if (it->second.key == nullptr) {
            return kErrorKeyDeleted;
        }
        if ((it->second.access & access) != access) {
            return kErrorAccessDenied;
        }
        *key = it->second.key;
        return kErrorSuccess;
    }

    RegHandle AddHandle(Key* key, std::uint32_t access) {
        RegHandle handle = nextHandle;
        nextHandle += 4;
        handles[handle] = Handle{key, access};
        return handle;
    }

    static bool WritesDenied(const Key* key) {
        for (; key != nullptr; key = key->parent) {
            if (key->denyWrites) {
                return true;
            }
        }
        return false;
    }

    static bool IsWithin(const Key* key, const Key* top) {
        for (; key != nullptr; key = key->parent) {
            if (key == top) {
                return true;
            }
        }
        return false;
    }

    Key* Find(Key* from, const std::string& path) {
        Key* key = from;
        for (const std::string& part : SplitPath(path)) {
            key = key->FindSubKey(part);
            if (key == nullptr) {
                return nullptr;
            }
        }
        return key;
    }

    Key* AddSubKey(Key* parent, const std::string& name) {
        auto sub = std::make_unique<Key>();
        sub->name = name;
        sub->parent = parent;
        Key* added = sub.get();
        parent->subKeys.emplace(FoldedName(name), std::move(sub));
        ++revision;
        return added;
    }
};

MemoryRegistry::MemoryRegistry() : impl_(std::make_unique<Impl>()) {}

MemoryRegistry::~MemoryRegistry() = default;

long MemoryRegistry::OpenKey(RegHandle root, const char* subKey, RegHandle* result) {
    if (result == nullptr) {
        return kErrorInvalidParameter;
    }
    // RegOpenKey hands back the very handle it was given when there is no subkey to open, without even
    // looking at it.
    if (IsEmptyName(subKey)) {
        *result = root;
        return kErrorSuccess;
    }
    return OpenKeyEx(root, subKey, 0, kKeyAllAccess, result);
}

long MemoryRegistry::OpenKeyEx(RegHandle root, const char* subKey, std::uint32_t /*options*/, std::uint32_t access,
                               RegHandle* result) {
    if (result == nullptr) {
        return kErrorInvalidParameter;
    }
    *result = 0;
    Key* from = nullptr;
    if (long rc = impl_->Resolve(root, 0, &from); rc != kErrorSuccess) {
        return rc;
    }
    if (IsBadPath(subKey)) {
        return kErrorBadPathname;
    }
    Key* key = impl_->Find(from, subKey == nullptr ? std::string() : std::string(subKey));
    if (key == nullptr) {
        return kErrorFileNotFound;
    }
    *result = impl_->AddHandle(key, access);
    return kErrorSuccess;
}

long MemoryRegistry::CreateKey(RegHandle root, const char* subKey, RegHandle* result) {
    if (result == nullptr) {
        return kErrorInvalidParameter;
    }
    *result = 0;
    Key* key = nullptr;
    if (long rc = impl_->Resolve(root, 0, &key); rc != kErrorSuccess) {
        return rc;
    }
    if (IsBadPath(subKey)) {
        return kErrorBadPathname;
    }
    const std::vector<std::string> parts = SplitPath(subKey == nullptr ? std::string() : std::string(subKey));
    if (DepthOf(key) + parts.size() > kMaxKeyDepth) {
        return kErrorInvalidParameter;
    }
    for (const std::string& part : parts) {
        if (part.size() > kMaxKeyNameLength || HasControlCharacter(part)) {
            return kErrorInvalidParameter;
        }
    }
    for (const std::string& part : parts) {
        Key* next = key->FindSubKey(part);
        if (next == nullptr) {
            if (Impl::WritesDenied(key)) {
                return kErrorAccessDenied;
            }
            next = impl_->AddSubKey(key, part);
        }
        key = next;
    }
    *result = impl_->AddHandle(key, kKeyAllAccess);
    return kErrorSuccess;
}

long MemoryRegistry::QueryValueEx(RegHandle handle, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                                  std::uint32_t* dataSize) {
    if (data != nullptr && dataSize == nullptr) {
        return kErrorInvalidParameter;
    }
    Key* key = nullptr;
    if (long rc = impl_->Resolve(handle, kKeyQueryValue, &key); rc != kErrorSuccess) {
        return rc;
    }
    const Value* value = key->FindValue(valueName == nullptr ? std::string() : std::string(valueName));
    if (value == nullptr) {
        return kErrorFileNotFound;
    }
    if (type != nullptr) {
        *type = value->type;
    }
    const auto size = static_cast<std::uint32_t>(value->data.size());
    long rc = kErrorSuccess;
    if (data != nullptr) {
        if (size > *dataSize) {
            rc = kErrorMoreData;
        } else {
            std::copy(value->data.begin(), value->data.end(), data);
            // Like NT: a string that does not end in NUL gets one when the buffer has room for it.
            if (IsStringType(value->type) && size != 0 && size < *dataSize && data[size - 1] != 0) {
                data[size] = 0;
            }
        }
    }
    if (dataSize != nullptr) {
        *dataSize = size;
    }
    return rc;
}

long MemoryRegistry::SetValueEx(RegHandle handle, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                                std::uint32_t dataSize) {
    if (data == nullptr && dataSize != 0) {
        return kErrorInvalidParameter;
    }
    Key* key = nullptr;
    if (long rc = impl_->Resolve(handle, kKeySetValue, &key); rc != kErrorSuccess) {
        return rc;
    }
    if (Impl::WritesDenied(key)) {
        return kErrorAccessDenied;
    }
    const std::string name = valueName == nullptr ? std::string() : std::string(valueName);
    if (HasControlCharacter(name)) {
        return kErrorInvalidParameter;
    }
    // Like NT: a string whose count leaves out its terminating NUL gets it after all.
    if (IsStringType(type) && dataSize != 0 && data[dataSize - 1] != 0 && data[dataSize] == 0) {
        ++dataSize;
    }
    std::vector<std::uint8_t> bytes(data, data + dataSize);
    const Value* old = key->FindValue(name);
    if (old == nullptr || old->type != type || old->data != bytes) {
        PutValue(*key, name, type, std::move(bytes));
    }
    return kErrorSuccess;
}

long MemoryRegistry::DeleteValue(RegHandle handle, const char* valueName) {
    Key* key = nullptr;
    if (long rc = impl_->Resolve(handle, kKeySetValue, &key); rc != kErrorSuccess) {
        return rc;
    }
    if (Impl::WritesDenied(key)) {
        return kErrorAccessDenied;
    }
    return RemoveValue(*key, valueName == nullptr ? std::string() : std::string(valueName)) ? kErrorSuccess
                                                                                            : kErrorFileNotFound;
}

long MemoryRegistry::DeleteKey(RegHandle handle, const char* subKey) {
    Key* parent = nullptr;
    if (long rc = impl_->Resolve(handle, 0, &parent); rc != kErrorSuccess) {
        return rc;
    }
    if (subKey == nullptr || IsBadPath(subKey)) {
        return kErrorBadPathname;
    }
    Key* key = impl_->Find(parent, subKey);
    if (key == nullptr || key == parent) {
        return kErrorFileNotFound;
    }
    if (!key->subKeys.empty() || Impl::WritesDenied(key)) {
        return kErrorAccessDenied;
    }
    for (auto& entry : impl_->handles) {
        if (entry.second.key == key) {
            entry.second.key = nullptr;
        }
    }
    key->parent->subKeys.erase(FoldedName(key->name));
    ++impl_->revision;
    return kErrorSuccess;
}

long MemoryRegistry::QueryInfoKey(RegHandle handle, std::uint32_t* subKeys, std::uint32_t* values) {
    Key* key = nullptr;
    if (long rc = impl_->Resolve(handle, kKeyQueryValue, &key); rc != kErrorSuccess) {
        return rc;
    }
    *subKeys = static_cast<std::uint32_t>(key->subKeys.size());
    *values = static_cast<std::uint32_t>(key->values.size());
    return kErrorSuccess;
}

long MemoryRegistry::CloseKey(RegHandle handle) {
    if (impl_->RootKey(handle) != nullptr) {
        return kErrorSuccess;
    }
    return impl_->handles.erase(handle) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

long MemoryRegistry::EnumKeyEx(RegHandle handle, std::uint32_t index, char* name, std::uint32_t* nameSize) {
    Key* key = nullptr;
    if (long rc = impl_->Resolve(handle, kKeyEnumerateSubKeys, &key); rc != kErrorSuccess) {
        return rc;
    }
    if (name == nullptr || nameSize == nullptr) {
        return kErrorInvalidParameter;
    }
    if (index >= key->subKeys.size()) {
        return kErrorNoMoreItems;
    }
    const std::string& subKeyName = std::next(key->subKeys.begin(), index)->second->name;
    if (subKeyName.size() >= *nameSize) {
        return kErrorMoreData;
    }
    std::copy(subKeyName.begin(), subKeyName.end(), name);
    name[subKeyName.size()] = '\0';
    *nameSize = static_cast<std::uint32_t>(subKeyName.size());
    return kErrorSuccess;
}

std::uint64_t MemoryRegistry::Revision() const {
    return impl_->revision;
}

std::size_t MemoryRegistry::OpenHandleCount() const {
    return impl_->handles.size();
}

void MemoryRegistry::DenyWrites(RegHandle root, const std::string& path) {
    MakeKey(root, path).denyWrites = true;
}

MemoryRegistry::Key& MemoryRegistry::Root(RegHandle root) {
    Key* key = impl_->RootKey(root);
    if (key == nullptr) {
        throw std::invalid_argument("MemoryRegistry holds HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER only");
    }
    return *key;
}

const MemoryRegistry::Key* MemoryRegistry::FindKey(RegHandle root, const std::string& path) const {
    Key* from = impl_->RootKey(root);
    return from == nullptr ? nullptr : impl_->Find(from, path);
}

MemoryRegistry::Key& MemoryRegistry::MakeKey(RegHandle root, const std::string& path) {
    Key* key = &Root(root);
    for (const std::string& part : SplitPath(path)) {
        Key* next = key->FindSubKey(part);
        key = next != nullptr ? next : impl_->AddSubKey(key, part);
    }
    return *key;
}

void MemoryRegistry::PutValue(Key& key, const std::string& valueName, std::uint32_t type,
                              std::vector<std::uint8_t> data) {
    ++impl_->revision;
    std::string folded = FoldedName(valueName);
    auto it = key.valueIndex.find(folded);
    if (it != key.valueIndex.end()) {
        Value& value = key.values[it->second];
        value.type = type;
        value.data = std::move(data);
        return;
    }
    key.values.push_back(Value{valueName, type, std::move(data)});
    key.valueIndex.emplace(std::move(folded), key.values.size() - 1);
}

bool MemoryRegistry::RemoveValue(Key& key, const std::string& valueName) {
    auto it = key.valueIndex.find(FoldedName(valueName));
    if (it == key.valueIndex.end()) {
        return false;
    }
    const std::size_t position = it->second;
    key.valueIndex.erase(it);
    key.values.erase(key.values.begin() + static_cast<std::ptrdiff_t>(position));
    // The values after it moved down by one, as the vector's erase moved them.
    for (auto& entry : key.valueIndex) {
        if (entry.second > position) {
            --entry.second;
        }
    }
    ++impl_->revision;
    return true;
}

bool MemoryRegistry::DeleteKeyTree(RegHandle root, const std::string& path) {
    Key* from = impl_->RootKey(root);
    Key* key = from == nullptr ? nullptr : impl_->Find(from, path);
    if (key == nullptr || key->parent == nullptr) {
        return false;
    }
    for (auto& entry : impl_->handles) {
        if (Impl::IsWithin(entry.second.key, key)) {
            entry.second.key = nullptr;
        }
    }
    key->parent->subKeys.erase(FoldedName(key->name));
    ++impl_->revision;
    return true;
}

}  // namespace tsln
