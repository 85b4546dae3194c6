#pragma once
// The texts that add the two TV-Out resolutions, at 60 Hz only, to the
// normal and compressed lists, and the caption that shows them.
#include <string>

#include "modes/mode_list.h"
#include "settings/settings.h"

namespace tsln {

// "720" -> " 720", so a TV-Out text in debug.txt lines up like a list row.
std::string PadTvOutText(const std::string& text);

// The list fragments for the entries in use. The start-up keeps the ';' that
// closes the compressed segment, the dialog's OK drops it: the driver takes
// both, and lists already written carry one or the other.
TvOutFragments BuildTvOutFragments(const TvOutEntries& entries, bool closeCompressedSegment);

// The caption of the main window's "Added Resolutions: " label.
std::string AddedResolutionsCaption(const TvOutEntries& entries);

}  // namespace tsln
