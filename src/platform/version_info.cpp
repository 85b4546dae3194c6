#include "platform/version_info.h"

#include <vector>

namespace tsln {

std::string GetVersionInfo(FileVersionApi& api, const std::string& file) {
    const std::uint32_t size = api.GetFileVersionInfoSize(file);
    if (size == 0)
        return "N/A";
    std::vector<std::uint8_t> block(size);
    if (!api.GetFileVersionInfo(file, size, block.data()))
        return "N/A";
    FixedFileInfo info{};
    if (!api.QueryFixedFileInfo(block.data(), size, &info))
        return "N/A";
    // Each field is an unsigned 16-bit half: build 40000 is 40000.
    return std::to_string(info.fileVersionMS >> 16) + "." + std::to_string(info.fileVersionMS & 0xFFFF) + "." +
           std::to_string(info.fileVersionLS >> 16) + "." + std::to_string(info.fileVersionLS & 0xFFFF);
}

}  // namespace tsln
