#pragma once
// The console front end: runs the program on a machine profile (or, in
// tessaline.exe without --machine, on the live PC) and drives its windows the
// way a user would, so scripts and tests reach its behaviour without a screen.
#include <string>
#include <vector>

#include "console/text_writer.h"

namespace tsln {

constexpr int kExitOk = 0;
// An action failed while running (it could not run on this PC as it is, or
// the program showed an error box), or the profile could not be saved. What
// ran before the failure is saved.
constexpr int kExitFailed = 1;
// A mistake on the command line or in the profile: nothing ran, nothing was
// written. Also a question with no --yes/--no left to answer it, which shows
// only while running (a script that gave too few answers), so the actions
// before it are saved as for kExitFailed.
constexpr int kExitUsage = 2;
// The start-up ended the program (a Windows or driver it refuses, --startup
// with the driver it saw last, or No to its question), so none of the actions
// asked for ran. With no actions that is what was asked for: kExitOk.
constexpr int kExitEndedAtStartup = 3;

// args excludes the program's own name. Everything the windows show goes to
// out; errors go to err.
int RunConsole(const std::vector<std::string>& args, TextWriter& out, TextWriter& err);

}  // namespace tsln
