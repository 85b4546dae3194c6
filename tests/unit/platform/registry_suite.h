#pragma once
// The registry helper suite runs unchanged against every backend: natively against the in-memory registry,
// and as a Windows program under Wine against advapi32. Each build supplies its backends here.
#include <cstddef>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/registry_api.h"

namespace tsln::test {

struct RegistryBackend {
    std::string name;  // a test-name suffix: letters and digits only
    std::function<std::unique_ptr<RegistryApi>()> make;
    // Removes the key at path and everything below it, if it exists.
    std::function<void(RegistryApi&, RegHandle root, const std::string& path)> removeTree;
    // Makes writes under the key fail the way a key without write rights does; empty when the backend cannot.
    std::function<void(RegistryApi&, RegHandle root, const std::string& path)> denyWrites;
    // Handles the backend has handed out and not yet seen closed; empty when the backend cannot tell.
    std::function<std::size_t(RegistryApi&)> openHandles;
};

std::vector<RegistryBackend> RegistryBackends();

// Names the backend in test output.
inline void PrintTo(const RegistryBackend& backend, std::ostream* out) {
    *out << backend.name;
}

}  // namespace tsln::test
