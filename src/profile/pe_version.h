#pragma once
// Our own reader of the version resource of a PE file (PE32 and PE32+), for
// systems without version.dll. It reads untrusted bytes: every offset, count
// and size taken from the file is checked before use, and anything that does
// not add up gives "no version", which the caller shows as "N/A".
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/system_api.h"

namespace tsln {

// The VS_VERSIONINFO block of a PE image: the data of the first language of
// the first name under RT_VERSION, as GetFileVersionInfo copies it. Empty when
// the image has no such resource or is damaged anywhere on the way there.
std::vector<std::uint8_t> ExtractVersionResource(const std::uint8_t* image, std::size_t size);

// The same for a file on this machine. Files larger than kMaxVersionFileSize
// are not read: no display driver comes near it.
constexpr std::size_t kMaxVersionFileSize = 64u * 1024u * 1024u;
std::vector<std::uint8_t> ReadVersionResource(const std::string& hostPath);

// The fixed block (VS_FIXEDFILEINFO) of a VS_VERSIONINFO block, what
// VerQueryValue(block, "\\") finds. False when the block is malformed or has
// no fixed block with the right signature.
constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BDu;
bool ParseFixedFileInfo(const std::uint8_t* block, std::size_t size, FixedFileInfo* info);

}  // namespace tsln
