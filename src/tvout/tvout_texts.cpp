#include "tvout/tvout_texts.h"

#include "modes/normal_row.h"
#include "modes/resolutions.h"

namespace tsln {
namespace {

constexpr int kTvOutRung = 0;  // 60 Hz, the only rate a TV takes

// A whole normal-list row, opened by closing the row before it as the list's
// own rows are. Only entries that are rows get here, so both texts are numbers.
std::string TvOutRow(int depth, const TvOutEntry& entry) {
    return std::string(kRowTerminator) + "  " + NormalRowHead(depth, std::stoi(entry.width), std::stoi(entry.height)) +
           RateFieldRun(kTvOutRung, kTvOutRung);
}

}  // namespace

std::string PadTvOutText(const std::string& text) {
    return text.size() == 3 ? " " + text : text;
}

TvOutFragments BuildTvOutFragments(const TvOutEntries& entries, bool closeCompressedSegment) {
    TvOutFragments fragments;
    std::string segment = ";A ";
    for (const auto& entry : entries) {
        if (!entry.IsRow())
            continue;
        segment += entry.width + "," + entry.height + ",-,60;";
        fragments.modes8 += TvOutRow(8, entry);
        fragments.modes16 += TvOutRow(16, entry);
        fragments.modes32 += TvOutRow(32, entry);
    }
    if (segment != ";A ") {
        if (!closeCompressedSegment)
            segment.pop_back();
        fragments.compressed = segment;
    }
    return fragments;
}

std::string AddedResolutionsCaption(const TvOutEntries& entries) {
    const std::string prefix = "Added Resolutions: ";
    std::string caption = prefix;
    if (!entries[0].width.empty())
        caption += entries[0].width;
    if (!entries[0].height.empty())
        caption += "x" + entries[0].height;
    if (!entries[1].width.empty())
        caption += "; " + entries[1].width;
    if (!entries[1].height.empty())
        caption += "x" + entries[1].height;
    return caption == prefix ? prefix + "None" : caption;
}

}  // namespace tsln
