#include "profile/host_file_version.h"

#include <algorithm>
#include <cstring>

#include "profile/pe_version.h"

namespace tsln {

std::uint32_t HostFileVersion::GetFileVersionInfoSize(const std::string& path) {
    // Bounded by kMaxVersionFileSize, so the size always fits.
    return static_cast<std::uint32_t>(ReadVersionResource(path).size());
}

bool CopyVersionBlock(const std::vector<std::uint8_t>& block, std::uint32_t size, void* data) {
    if (!data || size == 0 || block.empty())
        return false;
    std::memcpy(data, block.data(), std::min<std::size_t>(size, block.size()));
    return true;
}

bool HostFileVersion::GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) {
    return data && size != 0 && CopyVersionBlock(ReadVersionResource(path), size, data);
}

bool HostFileVersion::QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) {
    return ParseFixedFileInfo(static_cast<const std::uint8_t*>(block), size, info);
}

}  // namespace tsln
