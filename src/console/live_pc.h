#pragma once
// The PC the console drives: a machine profile, or with no --machine in
// tessaline.exe the live Windows PC through the same Win32 backends as
// tsln.exe (the Linux build has no live PC).
#include <memory>
#include <string>

#include "platform/registry_api.h"
#include "platform/system_api.h"

namespace tsln {

class TargetPc {
public:
    virtual ~TargetPc() = default;
    virtual RegistryApi& Registry() = 0;
    virtual DisplayModeApi& DisplayModes() = 0;
    virtual DisplayDeviceApi& DisplayDevices() = 0;
    virtual FileVersionApi& FileVersion() = 0;
    virtual ShellApi& Shell() = 0;
    virtual FileApi& Files() = 0;
    // Where debug.txt goes: the program folder.
    virtual std::string ProgramFolder() = 0;
    // A file named on the command line, as the program's file calls take it.
    virtual std::string WindowsPath(const std::string& file) { return file; }
    // Keeps what the actions wrote; the live PC's registry does so by itself.
    virtual bool Save(std::string* /*error*/) { return true; }
};

// Local time now, "YYYY-MM-DD HH:MM:SS", from the system's own clock call
// (the C runtime of Windows 2000 is not one the product may rely on for it).
std::string LocalStamp();

// Null where there is no live PC to drive.
std::unique_ptr<TargetPc> MakeLivePc();

// The machine profile in folder; null, with the reason in *error, when it
// cannot be loaded (or this build has no profile simulator).
std::unique_ptr<TargetPc> OpenProfilePc(const std::string& folder, std::string* error);

}  // namespace tsln
