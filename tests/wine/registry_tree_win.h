#pragma once
// Registry clean-up for the Windows test programs.
#include <string>

#include "platform/registry_api.h"

namespace tsln::test {

// Deletes the key at path and everything below it, giving back any rights a test took away first.
// False when the key was not there or could not be deleted whole.
bool RemoveRegistryTree(RegHandle root, const std::string& path);

}  // namespace tsln::test
