#pragma once
// Stand-in display driver files. A machine profile names its driver file's
// version in system32/NAME.version ("6.14.10.4523", one line); the file itself
// is made from that: a resource-only PE DLL for i386, like the Windows XP
// driver it stands for, whose version resource carries the version. Nothing
// in it runs, so a profile needs no compiler and no build step.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tsln {

using FileVersionFields = std::array<std::uint16_t, 4>;

// The text of a .version file: one non-blank line "major.minor.build.private",
// each field 0..65535. False with a one-line message otherwise.
bool ParseVersionText(const std::string& text, FileVersionFields* version, std::string* error);

// The DLL's bytes; always the same bytes for the same arguments.
std::vector<std::uint8_t> MakeDriverFile(const std::string& fileName, const std::string& description,
                                         const FileVersionFields& version);

}  // namespace tsln
