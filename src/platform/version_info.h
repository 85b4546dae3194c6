#pragma once
#include <string>

#include "platform/system_api.h"

namespace tsln {

// The file version of a file's version resource as "a.b.c.d", or "N/A" when
// the file or its version resource is missing.
std::string GetVersionInfo(FileVersionApi& api, const std::string& file);

}  // namespace tsln
