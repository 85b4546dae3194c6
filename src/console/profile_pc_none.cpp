// tessaline.exe leaves the machine simulator out: its files go through
// std::filesystem and streams, which would make the program five times the
// 300 KB it must stay within. Profiles are for the Linux build.
#include "console/live_pc.h"

namespace tsln {

std::unique_ptr<TargetPc> OpenProfilePc(const std::string&, std::string* error) {
    *error = "--machine needs the Linux build of tessaline; tessaline.exe runs on this PC only";
    return nullptr;
}

}  // namespace tsln
