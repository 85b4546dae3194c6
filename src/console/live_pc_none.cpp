// The Linux console has no Windows PC under it: only machine profiles.
#include <ctime>

#include "console/live_pc.h"
#include "state/stamp.h"

namespace tsln {

std::string LocalStamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return FormatStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                       local.tm_sec);
}

std::unique_ptr<TargetPc> MakeLivePc() {
    return nullptr;
}

}  // namespace tsln
