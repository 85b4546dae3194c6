#pragma once
// Building the driver's mode list from the 23 rate-label captions.
#include <string>

#include "modes/resolutions.h"

namespace tsln {

// The TV-Out texts that are appended to the normal and compressed lists.
struct TvOutFragments {
    std::string compressed;  // ";A 720,480,-,60;..." or ""
    std::string modes8;
    std::string modes16;
    std::string modes32;
};

// In ladder mode a label may hold a system rate that is not on the ladder
// ("90"): it is written as the nearest lower ladder rate so the row never
// loses its rate field. Ladder texts and "N/A" pass unchanged; anything that
// is not a whole number of 60 or more becomes "N/A".
std::string NearestLadderRate(const std::string& caption);

// The 22-character rate field of a normal-list row.
std::string NormalRateField(const std::string& caption);
// The rate field of a compressed-list entry ("-100", "70-", "-").
std::string CompressedRateField(const std::string& caption);
// Three (or more) upper-case hex digits of a mask; "000" for anything that is
// not a signed 16-bit number.
std::string FormatHexMask(const std::string& caption);

std::string BuildNormalList(const RateCaptions& captions, const TvOutFragments& tvOut);
std::string BuildCompressedList(const RateCaptions& captions, const std::string& tvOutCompressed);
std::string BuildMaskList(const RateCaptions& captions);

}  // namespace tsln
