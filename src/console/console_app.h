#pragma once
// The console front end: runs the program on a machine profile and drives its
// windows the way a user would, so scripts and tests reach its behaviour
// without a screen.
#include <ostream>
#include <string>
#include <vector>

namespace tsln {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;  // the profile could not be saved
constexpr int kExitUsage = 2;   // a mistake on the command line

// args excludes the program's own name. Everything the windows show goes to
// out; errors go to err.
int RunConsole(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tsln
