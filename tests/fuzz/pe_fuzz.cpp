// The PE version reader: any image gives a version block or nothing, and a
// block it gives is one the fixed-block reader can walk.
#include <cstdint>
#include <vector>

#include "platform/pe_version.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's size, so ASan sees any read past the file.
    const std::vector<std::uint8_t> image(data, data + size);
    const std::vector<std::uint8_t> block = tsln::ExtractVersionResource(image.data(), image.size());
    tsln::FixedFileInfo info{};
    if (!block.empty()) {
        const std::vector<std::uint8_t> exact(block);
        tsln::ParseFixedFileInfo(exact.data(), exact.size(), &info);
    }
    tsln::ParseFixedFileInfo(image.data(), image.size(), &info);
    return 0;
}
