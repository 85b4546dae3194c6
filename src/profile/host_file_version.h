#pragma once
// FileVersionApi over files of this machine, paths taken as they are.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_api.h"

namespace tsln {

// What GetFileVersionInfo does with a version block: copies what fits in
// size bytes; false for an empty block or no buffer.
bool CopyVersionBlock(const std::vector<std::uint8_t>& block, std::uint32_t size, void* data);

class HostFileVersion : public FileVersionApi {
public:
    std::uint32_t GetFileVersionInfoSize(const std::string& path) override;
    bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) override;
    bool QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) override;
};

}  // namespace tsln
