#include "platform/shell_helpers.h"

#include <algorithm>

namespace tsln {
namespace {

constexpr std::uint32_t kHhDisplayTopic = 0;
constexpr std::uint32_t kHhHelpContext = 15;
constexpr std::uint32_t kMaxPath = 260;

}  // namespace

const char kWebSiteAddress[] = "http://tessaline.sourceforge.net/";

std::string GetSystemDir(ShellApi& shell) {
    char buffer[kMaxPath] = {};
    if (shell.GetSystemDirectory(buffer, kMaxPath) == 0) {
        return "";
    }
    return std::string(buffer, std::find(buffer, buffer + kMaxPath, '\0'));
}

bool OpenHtmlHelp(ShellApi& shell, const std::string& path, std::uintptr_t owner, std::uint32_t context) {
    if (!shell.IsOrdinaryFile(path)) {
        return false;
    }
    const std::uintptr_t window = context != 0 ? shell.HtmlHelp(owner, path, kHhHelpContext, context)
                                               : shell.HtmlHelp(owner, path, kHhDisplayTopic, 0);
    return window != 0;
}

void OpenWebSite(ShellApi& shell) {
    shell.ShellExecute(kWebSiteAddress, "C:\\");
}

}  // namespace tsln
