#pragma once
// Reading and writing .reg files ("REGEDIT4" and "Windows Registry Editor
// Version 5.00") into and out of a MemoryRegistry.
#include <string>

#include "profile/memory_registry.h"

namespace tsln {

// The text is single bytes (the file is read and written as bytes: text in
// the ANSI code page the single-byte registry functions use). String data in
// hex form (hex(1), hex(2), hex(7)) is UTF-16LE in a version 5 file, one code
// unit per byte (Latin-1), and single bytes in a REGEDIT4 file.
//
// Wine's regedit reads hex string data as single bytes in any file without a
// UTF-16 byte-order mark, version 5 or not: to seed a Wine prefix with
// "regedit /S", save as REGEDIT4, which Wine and Windows import byte for byte.

enum class RegFileFormat {
    kVersion5,  // "Windows Registry Editor Version 5.00"
    kRegedit4,  // "REGEDIT4"
};

// Applies the file to the registry (keys and values added, "[-Key]" and
// "name"=- deletions carried out). False with a message naming the line when
// the text is not a .reg file, or names a key Windows would refuse (more than
// 512 levels deep, or a name longer than 255 characters); the registry is then
// left as it was. The text is the file's bytes, whatever their origin.
bool LoadRegFile(const std::string& text, MemoryRegistry& registry, std::string* error);

// The whole registry as a .reg file, keys and values in a stable order (sorted
// case-insensitively, the default value first), lines ending CR LF, long hex
// data wrapped the way regedit wraps it.
std::string SaveRegFile(const MemoryRegistry& registry, RegFileFormat format = RegFileFormat::kVersion5);

}  // namespace tsln
