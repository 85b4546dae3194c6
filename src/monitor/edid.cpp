#include "monitor/edid.h"

namespace tsln {
namespace {

constexpr std::uint8_t kHeader[] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr std::size_t kDescriptorOffsets[] = {54, 72, 90, 108};
constexpr std::size_t kDescriptorSize = 18;
constexpr std::uint8_t kTagSerial = 0xFF;
constexpr std::uint8_t kTagRanges = 0xFD;
constexpr std::uint8_t kTagName = 0xFC;

const char kHexDigits[] = "0123456789ABCDEF";

// Three letters of five bits each, 1 for 'A'. Codes outside 1-26 still give a
// printable character, so a broken ID shows as broken rather than vanishing.
std::string PnpIdOf(const std::uint8_t* block) {
    const unsigned vendor = (block[8] << 8) | block[9];
    const unsigned product = block[10] | (block[11] << 8);
    std::string id;
    for (int shift : {10, 5, 0})
        id += static_cast<char>('@' + ((vendor >> shift) & 0x1F));
    for (int shift : {12, 8, 4, 0})
        id += kHexDigits[(product >> shift) & 0xF];
    return id;
}

// The text ends at the 0x0A terminator, or at any byte that is not printable
// ASCII (so a garbage descriptor cannot put line breaks or control codes into
// what the program shows); the spaces that pad it out are dropped.
std::string DescriptorText(const std::uint8_t* descriptor) {
    std::string text;
    for (std::size_t i = 5; i < kDescriptorSize && descriptor[i] >= 0x20 && descriptor[i] <= 0x7E; ++i) {
        text += static_cast<char>(descriptor[i]);
    }
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// From EDID 1.4 on, byte 4 can add 255 to the limits, for monitors beyond
// 255 Hz or 255 kHz; the minimum only together with the maximum. Earlier
// revisions reserved the byte, so its bits mean nothing there.
MonitorRanges RangesOf(const std::uint8_t* descriptor, bool offsetsAllowed) {
    const unsigned flags = offsetsAllowed ? descriptor[4] : 0;
    const bool verticalMax = (flags & 0x02) != 0, verticalMin = verticalMax && (flags & 0x01) != 0;
    const bool horizontalMax = (flags & 0x08) != 0, horizontalMin = horizontalMax && (flags & 0x04) != 0;
    MonitorRanges ranges;
    ranges.minVerticalHz = descriptor[5] + (verticalMin ? 255 : 0);
    ranges.maxVerticalHz = descriptor[6] + (verticalMax ? 255 : 0);
    ranges.minHorizontalKHz = descriptor[7] + (horizontalMin ? 255 : 0);
    ranges.maxHorizontalKHz = descriptor[8] + (horizontalMax ? 255 : 0);
    const std::uint8_t clock = descriptor[9];
    ranges.maxPixelClockMHz = clock == 0 || clock == 0xFF ? 0 : clock * 10;
    return ranges;
}

}  // namespace

std::optional<Edid> ReadEdid(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr || size < kEdidBlockSize)
        return std::nullopt;
    for (std::size_t i = 0; i < sizeof(kHeader); ++i) {
        if (data[i] != kHeader[i])
            return std::nullopt;
    }

    Edid edid;
    unsigned sum = 0;
    for (std::size_t i = 0; i < kEdidBlockSize; ++i)
        sum += data[i];
    edid.checksumOk = sum % 256 == 0;
    edid.version = data[18];
    edid.revision = data[19];
    edid.pnpId = PnpIdOf(data);
    edid.listed = ListedTimings(data, edid.revision);

    // A monitor that repeats a descriptor means the first one.
    bool haveName = false, haveSerial = false;
    const bool offsetsAllowed = edid.version == 1 && edid.revision >= 4;
    for (std::size_t offset : kDescriptorOffsets) {
        const std::uint8_t* descriptor = data + offset;
        // A pixel clock of zero marks a display descriptor rather than a timing.
        if (descriptor[0] != 0 || descriptor[1] != 0)
            continue;
        const std::uint8_t tag = descriptor[3];
        if (tag == kTagName && !haveName) {
            edid.name = DescriptorText(descriptor);
            haveName = true;
        } else if (tag == kTagSerial && !haveSerial) {
            edid.serial = DescriptorText(descriptor);
            haveSerial = true;
        } else if (tag == kTagRanges && !edid.ranges) {
            edid.ranges = RangesOf(descriptor, offsetsAllowed);
        }
    }
    return edid;
}

}  // namespace tsln
