#pragma once
// `tessaline edid FILE`: the printed form of an EDID file, for scripts and for
// checking a monitor's EDID before Tessaline relies on it.
#include <ostream>
#include <string>

namespace tsln {

// Prints the report of the EDID in the file at path (binary or hex text) to
// out. A file that holds no EDID prints "no EDID" and is no failure; a file
// that cannot be read is: false, with the reason on err.
bool PrintEdidReport(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace tsln
