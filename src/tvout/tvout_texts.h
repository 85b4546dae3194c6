#pragma once
// The two TV-Out resolutions: how they are stored, and the texts that add
// them, at 60 Hz only, to the normal and compressed lists.
#include <array>
#include <string>

#include "modes/mode_list.h"
#include "platform/registry_api.h"

namespace tsln {

extern const char kTsLnKey[];  // "SOFTWARE\TSLN"

struct TvOutEntry {
    std::string width;
    std::string height;
    bool InUse() const { return !width.empty() && !height.empty(); }
};
using TvOutEntries = std::array<TvOutEntry, 2>;

// Three or four decimal digits: the only widths and heights that fit the
// driver's row layout.
bool IsTvOutNumber(const std::string& text);

// "720" -> " 720", so a TV-Out row lines up like the list's own rows.
std::string PadTvOutText(const std::string& text);

// ResW1 ... ResH2 as stored. An entry holding a value that is neither empty
// nor three or four digits (written by hand or by another tool) is read as
// not stored, so it never reaches a list, the label or the log.
TvOutEntries ReadStoredTvOut(RegistryApi& registry);

// The list fragments for the entries in use. The start-up keeps the ';' that
// closes the compressed segment, the dialog's OK drops it: the driver takes
// both, and lists already written carry one or the other.
TvOutFragments BuildTvOutFragments(const TvOutEntries& entries, bool closeCompressedSegment);

// The caption of the main window's "Added Resolutions: " label.
std::string AddedResolutionsCaption(const TvOutEntries& entries);

}  // namespace tsln
