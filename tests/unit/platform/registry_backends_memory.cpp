// The native build runs the registry suite against the in-memory registry.
#include "profile/memory_registry.h"
#include "registry_suite.h"

namespace tsln::test {

std::vector<RegistryBackend> RegistryBackends() {
    RegistryBackend memory;
    memory.name = "Memory";
    memory.make = [] { return std::make_unique<MemoryRegistry>(); };
    memory.removeTree = [](RegistryApi& reg, RegHandle root, const std::string& path) {
        static_cast<MemoryRegistry&>(reg).DeleteKeyTree(root, path);
    };
    memory.denyWrites = [](RegistryApi& reg, RegHandle root, const std::string& path) {
        static_cast<MemoryRegistry&>(reg).DenyWrites(root, path);
    };
    memory.openHandles = [](RegistryApi& reg) { return static_cast<MemoryRegistry&>(reg).OpenHandleCount(); };
    return {memory};
}

}  // namespace tsln::test
