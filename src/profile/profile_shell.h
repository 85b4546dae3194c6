#pragma once
// The shell services of a machine profile: the system directory it names,
// files looked up through its folders, and the help viewer and browser calls
// recorded instead of carried out.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_api.h"

namespace tsln {

class DriverFiles;
class WindowsPathMap;

class ProfileShell : public ShellApi {
public:
    struct HtmlHelpCall {
        std::uintptr_t owner = 0;
        std::string file;
        std::uint32_t command = 0;
        std::uintptr_t data = 0;
    };
    struct ShellExecuteCall {
        std::string file;
        std::string directory;
    };
    // What HtmlHelp returns for a help file that exists: a made-up window.
    static constexpr std::uintptr_t kHelpWindow = 0x00C0FFEE;

    ProfileShell(const std::string& systemDir, const WindowsPathMap& paths, const DriverFiles& driverFiles)
        : systemDir_(systemDir), paths_(paths), driverFiles_(driverFiles) {}

    std::uint32_t GetSystemDirectory(char* buffer, std::uint32_t size) override;
    bool IsOrdinaryFile(const std::string& path) override;
    std::uintptr_t HtmlHelp(std::uintptr_t owner, const std::string& file, std::uint32_t command,
                            std::uintptr_t data) override;
    void ShellExecute(const std::string& file, const std::string& directory) override;

    const std::vector<HtmlHelpCall>& HtmlHelpCalls() const { return htmlHelpCalls_; }
    const std::vector<ShellExecuteCall>& ShellExecuteCalls() const { return shellExecuteCalls_; }

private:
    std::string systemDir_;
    const WindowsPathMap& paths_;
    const DriverFiles& driverFiles_;
    std::vector<HtmlHelpCall> htmlHelpCalls_;
    std::vector<ShellExecuteCall> shellExecuteCalls_;
};

}  // namespace tsln
