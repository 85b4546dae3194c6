#pragma once
// Text and path helpers shared by the machine-profile files. Names compare
// the way Windows compares them, without regard to case.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tsln::profile_detail {

// Windows compares names by folding case; ASCII folding covers every name
// the program uses, and bytes above 0x7F compare as they are.
char FoldCase(char c);

bool SameName(const std::string& a, const std::string& b);

std::string Trim(const std::string& text);

std::vector<std::string> SplitLines(const std::string& text);

std::string WithoutComment(const std::string& line);

bool ParseUnsigned32(const std::string& text, std::uint32_t* value);

// A Windows path split into its names, "." and ".." resolved, empty names
// (doubled separators) dropped. Nothing when a name holds a character that
// Windows refuses in file names.
std::optional<std::vector<std::string>> WindowsComponents(const std::string& path);

// The host entry in folder whose name matches name without regard to case;
// an exact match wins, and a name that matches nothing is kept as written.
std::string MatchHostName(const std::filesystem::path& folder, const std::string& name);

bool ReadWholeFile(const std::filesystem::path& path, std::string* text);

// The Windows folder named in machine.txt, without trailing separators (the
// drive root keeps its one).
bool NormalizeWindowsFolder(std::string value, std::string* folder);

}  // namespace tsln::profile_detail
