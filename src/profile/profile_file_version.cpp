#include "profile/profile_file_version.h"

#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "profile/driver_files.h"
#include "profile/pe_version.h"
#include "profile/windows_path_map.h"

namespace tsln {
namespace {

// The version block of a driver file made in memory; a file on the host wins.
std::optional<std::vector<std::uint8_t>> MadeFileBlock(const DriverFiles& driverFiles, const std::string& host) {
    std::error_code error;
    if (std::filesystem::exists(host, error))
        return std::nullopt;
    const std::vector<std::uint8_t>* image = driverFiles.Find(host);
    if (!image)
        return std::nullopt;
    return ExtractVersionResource(image->data(), image->size());
}

}  // namespace

std::uint32_t ProfileFileVersion::GetFileVersionInfoSize(const std::string& path) {
    const std::optional<std::string> host = paths_.ToHost(path);
    if (!host)
        return 0;
    if (const auto block = MadeFileBlock(driverFiles_, *host))
        return static_cast<std::uint32_t>(block->size());
    return host_.GetFileVersionInfoSize(*host);
}

bool ProfileFileVersion::GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) {
    const std::optional<std::string> host = paths_.ToHost(path);
    if (!host)
        return false;
    if (const auto block = MadeFileBlock(driverFiles_, *host))
        return CopyVersionBlock(*block, size, data);
    return host_.GetFileVersionInfo(*host, size, data);
}

bool ProfileFileVersion::QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) {
    return host_.QueryFixedFileInfo(block, size, info);
}

}  // namespace tsln
