#pragma once
// The choices file: the 23 rates and the two TV-Out resolutions as text a
// person can read and edit in Notepad (ANSI, CR LF), so that an evening of
// trying rates survives a reinstall of Windows and can be handed to someone
// with the same monitor.
#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "modes/resolutions.h"
#include "settings/settings.h"

namespace tsln {

// A choices file is under 1 KB; anything beyond this is not one, and is not
// read into memory to find that out.
constexpr std::size_t kChoicesMaxBytes = 64 * 1024;

struct SavedChoices {
    std::string stamp;    // "YYYY-MM-DD HH:MM:SS"
    std::string adapter;  // for a person reading it: loading ignores these two
    std::string monitor;
    RateCaptions rates;  // as the rate labels show them
    TvOutEntries tvOut;  // as stored; an entry that adds no row is written empty
};

std::string FormatChoices(const SavedChoices& choices);

struct LoadedChoices {
    // In Hz, 0 for "N/A"; nothing for a row the file does not name.
    std::array<std::optional<int>, kResolutionCount> rates;
    // Two empty texts for "Resolution1="; nothing when the file does not name it.
    std::array<std::optional<TvOutEntry>, 2> tvOut;
};

// Nothing, with one line in *error that names fileName, the line and what is
// wrong with it, unless the whole text is a choices file.
std::optional<LoadedChoices> ReadChoices(const std::string& text, const std::string& fileName, std::string* error);

// The file's name without its folder, as the error boxes name it.
std::string FileNameOf(const std::string& path);

}  // namespace tsln
