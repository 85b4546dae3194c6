#pragma once
// EDID files as users and tools keep them: the raw bytes (as a registry
// export or /sys/class/drm/*/edid gives them), or a text with a hex dump (as
// edid-decode prints it, or as copied from a hex editor).
#include <cstdint>
#include <string>
#include <vector>

namespace tsln {

// The bytes of a file's contents. A text (nothing but printable ASCII, tabs
// and line ends) yields its first hex dump: the first lines made only of hex
// bytes ("00 ff ff" or "00ffff"), with blank lines between blocks allowed,
// up to the first line of anything else. A text without one yields nothing.
// Anything else is taken as the raw bytes.
std::vector<std::uint8_t> EdidFileBytes(const std::string& contents);

}  // namespace tsln
