#include "tvout/tvout_texts.h"

#include "platform/registry_helpers.h"

namespace tsln {

const char kTsLnKey[] = "SOFTWARE\\TSLN";

namespace {

const char* const kValueNames[2][2] = {{"ResW1", "ResH1"}, {"ResW2", "ResH2"}};

bool IsStorable(const std::string& text) { return text.empty() || IsTvOutNumber(text); }

std::string TvOutRow(const char* prefix, const TvOutEntry& entry) {
    return prefix + PadTvOutText(entry.width) + " " + PadTvOutText(entry.height) + "   60                    ";
}

}  // namespace

bool IsTvOutNumber(const std::string& text) {
    if (text.size() != 3 && text.size() != 4) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

std::string PadTvOutText(const std::string& text) { return text.size() == 3 ? " " + text : text; }

TvOutEntries ReadStoredTvOut(RegistryApi& registry) {
    TvOutEntries entries;
    for (int i = 0; i < 2; ++i) {
        TvOutEntry entry{RegGetString(registry, kHkeyLocalMachine, kTsLnKey, kValueNames[i][0], ""),
                         RegGetString(registry, kHkeyLocalMachine, kTsLnKey, kValueNames[i][1], "")};
        if (IsStorable(entry.width) && IsStorable(entry.height)) entries[i] = entry;
    }
    return entries;
}

TvOutFragments BuildTvOutFragments(const TvOutEntries& entries, bool closeCompressedSegment) {
    TvOutFragments fragments;
    std::string segment = ";A ";
    for (const auto& entry : entries) {
        if (!entry.InUse()) continue;
        segment += entry.width + "," + entry.height + ",-,60;";
        fragments.modes8 += TvOutRow("  0  8   ", entry);
        fragments.modes16 += TvOutRow("  0  16  ", entry);
        fragments.modes32 += TvOutRow("  0  32  ", entry);
    }
    if (segment != ";A ") {
        if (!closeCompressedSegment) segment.pop_back();
        fragments.compressed = segment;
    }
    return fragments;
}

std::string AddedResolutionsCaption(const TvOutEntries& entries) {
    const std::string prefix = "Added Resolutions: ";
    std::string caption = prefix;
    if (!entries[0].width.empty()) caption += entries[0].width;
    if (!entries[0].height.empty()) caption += "x" + entries[0].height;
    if (!entries[1].width.empty()) caption += "; " + entries[1].width;
    if (!entries[1].height.empty()) caption += "x" + entries[1].height;
    return caption == prefix ? prefix + "None" : caption;
}

}  // namespace tsln
