#pragma once
// The version resources of a machine profile's files: host files through its
// folders, and the driver files it makes from NAME.version.
#include <cstdint>
#include <string>

#include "platform/system_api.h"
#include "profile/host_file_version.h"

namespace tsln {

class DriverFiles;
class WindowsPathMap;

class ProfileFileVersion : public FileVersionApi {
public:
    ProfileFileVersion(const WindowsPathMap& paths, const DriverFiles& driverFiles)
        : paths_(paths), driverFiles_(driverFiles) {}

    std::uint32_t GetFileVersionInfoSize(const std::string& path) override;
    bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) override;
    bool QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) override;

private:
    const WindowsPathMap& paths_;
    const DriverFiles& driverFiles_;
    HostFileVersion host_;
};

}  // namespace tsln
