#include "modes/mode_list.h"

#include <string>

#include "modes/normal_row.h"

namespace tsln {
namespace {

constexpr int kDepths[] = {8, 16, 32};
constexpr size_t kPlainNormalListLength = 57 * kNormalRowLength + 56 * 2;

}  // namespace

std::string BuildNormalList(const RateCaptions& captions, const TvOutFragments& tvOut) {
    const std::string* tvOutRows[] = {&tvOut.modes8, &tvOut.modes16, &tvOut.modes32};
    std::string list;
    list.reserve(kPlainNormalListLength + tvOut.modes8.size() + tvOut.modes16.size() + tvOut.modes32.size());
    for (int block = 0; block < 3; ++block) {
        for (int row : NormalRowOrder()) {
            // Each row after the first opens by closing the one before it, which
            // is also where the TV-Out rows (built in the same shape) slot in.
            if (!list.empty()) {
                list += kRowTerminator;
                list += "  ";
            }
            list += NormalRowHead(kDepths[block], kRateRows[row].width, kRateRows[row].height);
            list += NormalRateField(captions[row]);
        }
        list += *tvOutRows[block];
    }
    list += kRowTerminator;
    return list;
}

std::string BuildCompressedList(const RateCaptions& captions, const std::string& tvOutCompressed) {
    std::string list = "S ";
    bool first = true;
    for (int row = 0; row < kResolutionCount; ++row) {
        const RateRow& mode = kRateRows[row];
        if (!mode.inCompressedList) {
            continue;
        }
        if (!first) {
            list += ';';
        }
        first = false;
        list += std::to_string(mode.width) + ',' + std::to_string(mode.height) + ",-,";
        list += CompressedRateField(captions[row]);
    }
    return list + tvOutCompressed;
}

std::string BuildMaskList(const RateCaptions& captions) {
    std::string list = "S ";
    for (int row = 0; row < kResolutionCount; ++row) {
        if (row > 0) {
            list += "; ";
        }
        list += std::to_string(kRateRows[row].width) + 'x' + std::to_string(kRateRows[row].height) + "=8" +
                FormatHexMask(captions[row]);
    }
    return list + ';';
}

}  // namespace tsln
