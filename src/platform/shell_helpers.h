#pragma once
#include <cstdint>
#include <string>

#include "platform/system_api.h"

namespace tsln {

// The project's page, opened by the web-link label.
extern const char kWebSiteAddress[];

std::string GetSystemDir(ShellApi& shell);
// False without calling the help viewer when no ordinary file is at path.
bool OpenHtmlHelp(ShellApi& shell, const std::string& path, std::uintptr_t owner, std::uint32_t context);
void OpenWebSite(ShellApi& shell);

}  // namespace tsln
