// tessaline.exe on the PC it runs on: the Win32 backends tsln.exe uses.
#include <windows.h>

#include "console/live_pc.h"
#include "platform/win32_backends.h"
#include "state/stamp.h"

namespace tsln {
namespace {

class Win32Pc : public TargetPc {
public:
    RegistryApi& Registry() override { return *registry_; }
    DisplayModeApi& DisplayModes() override { return *displayModes_; }
    DisplayDeviceApi& DisplayDevices() override { return *displayDevices_; }
    FileVersionApi& FileVersion() override { return *fileVersion_; }
    ShellApi& Shell() override { return *shell_; }
    FileApi& Files() override { return *files_; }
    std::string ProgramFolder() override {
        char path[MAX_PATH] = "";
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        const std::string file(path, length < MAX_PATH ? length : 0);
        const auto slash = file.find_last_of('\\');
        return slash == std::string::npos ? std::string() : file.substr(0, slash);
    }

private:
    std::unique_ptr<RegistryApi> registry_ = MakeWin32Registry();
    std::unique_ptr<DisplayModeApi> displayModes_ = MakeWin32DisplayModes();
    std::unique_ptr<DisplayDeviceApi> displayDevices_ = MakeWin32DisplayDevices();
    std::unique_ptr<FileVersionApi> fileVersion_ = MakeWin32FileVersion();
    std::unique_ptr<ShellApi> shell_ = MakeWin32Shell();
    std::unique_ptr<FileApi> files_ = MakeWin32Files();
};

}  // namespace

std::string LocalStamp() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return FormatStamp(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond);
}

std::unique_ptr<TargetPc> MakeLivePc() {
    return std::make_unique<Win32Pc>();
}

}  // namespace tsln
