#pragma once
// Reading and writing .reg files ("REGEDIT4" and "Windows Registry Editor
// Version 5.00") into and out of a MemoryRegistry.
#include <string>

#include "platform/memory_registry.h"

namespace tsln {

// Applies the file to the registry (keys and values added, "[-Key]" and
// "name"=- deletions carried out). False with a message naming the line when
// the text is not a .reg file.
bool LoadRegFile(const std::string& text, MemoryRegistry& registry, std::string* error);

// The whole registry as a "Windows Registry Editor Version 5.00" file, keys
// and values in a stable order, lines ending CR LF.
std::string SaveRegFile(const MemoryRegistry& registry);

}  // namespace tsln
