#pragma once
// The Win32 implementations of the platform interfaces. Declared here without
// <windows.h> so that Windows test programs and the entry point can make them
// without pulling the system headers into the logic.
#include <memory>

#include "platform/registry_api.h"
#include "platform/system_api.h"

namespace tsln {

std::unique_ptr<RegistryApi> MakeWin32Registry();
std::unique_ptr<ShellApi> MakeWin32Shell();
std::unique_ptr<FileVersionApi> MakeWin32FileVersion();
std::unique_ptr<DisplayModeApi> MakeWin32DisplayModes();
std::unique_ptr<DisplayDeviceApi> MakeWin32DisplayDevices();
std::unique_ptr<FileApi> MakeWin32Files();

}  // namespace tsln
