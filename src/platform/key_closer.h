#pragma once
#include "platform/registry_api.h"

namespace tsln {

// Closes a key on every way out of the code that opened it. Closing a
// predefined root (what RegOpenKey hands back for an empty path) is harmless
// on both backends.
class KeyCloser {
public:
    KeyCloser(RegistryApi& reg, RegHandle key) : reg_(reg), key_(key) {}
    ~KeyCloser() { reg_.CloseKey(key_); }
    KeyCloser(const KeyCloser&) = delete;
    KeyCloser& operator=(const KeyCloser&) = delete;

private:
    RegistryApi& reg_;
    RegHandle key_;
};

}  // namespace tsln
