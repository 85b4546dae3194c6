// The Windows build runs the registry suite against advapi32: under Wine, the real registry of a throwaway
// prefix (run-registry-suite.sh).
#include <windows.h>

#include <string>

#include "../unit/platform/registry_suite.h"
#include "platform/win32_backends.h"
#include "registry_tree_win.h"

namespace tsln::test {
namespace {

HKEY RootHkey(RegHandle root) {
    return root == kHkeyCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// A key whose rights were taken away must get them back before it can be deleted. As its owner the test
// can always rewrite the access list.
void GrantEveryoneFullAccess(HKEY parent, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) {
        return;
    }
    SECURITY_DESCRIPTOR descriptor;
    InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
    RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
    RegCloseKey(key);
}

bool RemoveTree(HKEY parent, const std::string& path) {
    GrantEveryoneFullAccess(parent, path);
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        return false;
    }
    char name[256];
    bool ok = true;
    while (ok && RegEnumKeyA(key, 0, name, sizeof name) == ERROR_SUCCESS) {
        ok = RemoveTree(key, name);
    }
    RegCloseKey(key);
    return ok && RegDeleteKeyA(parent, path.c_str()) == ERROR_SUCCESS;
}

}  // namespace

bool RemoveRegistryTree(RegHandle root, const std::string& path) {
    return RemoveTree(RootHkey(root), path);
}

namespace {

// Leaves the key readable by everyone and writable by no one, not even its owner.
void DenyWrites(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyA(root, path.c_str(), &key) != ERROR_SUCCESS) {
        return;
    }
    SID_IDENTIFIER_AUTHORITY world = {SECURITY_WORLD_SID_AUTHORITY};
    PSID everyone = nullptr;
    if (AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) {
        alignas(DWORD) char aclBuffer[256];
        ACL* acl = reinterpret_cast<ACL*>(aclBuffer);
        SECURITY_DESCRIPTOR descriptor;
        if (InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
            AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone) &&
            InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
            SetSecurityDescriptorDacl(&descriptor, TRUE, acl, FALSE)) {
            RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor);
        }
        FreeSid(everyone);
    }
    RegCloseKey(key);
}

}  // namespace

std::vector<RegistryBackend> RegistryBackends() {
    RegistryBackend advapi32;
    advapi32.name = "Advapi32";
    advapi32.make = [] { return MakeWin32Registry(); };
    advapi32.removeTree = [](RegistryApi&, RegHandle root, const std::string& path) { RemoveRegistryTree(root, path); };
    advapi32.denyWrites = [](RegistryApi&, RegHandle root, const std::string& path) {
        DenyWrites(RootHkey(root), path);
    };
    return {advapi32};
}

}  // namespace tsln::test
