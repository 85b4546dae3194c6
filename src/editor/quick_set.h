#pragma once
// The quick set: every row's highest rate from the monitor's horizontal
// frequency in kHz.
#include <optional>
#include <string>

#include "editor/rate_editor.h"

namespace tsln {

// The spin control beside the box runs from 0 to this many kHz.
constexpr int kQuickSetMax = 150;
// No rate below this is set: a row that computes lower becomes "N/A".
constexpr int kLowestRate = 60;

// The typed frequency in Hz (kHz x 1000, halves to even), or nothing for a
// text that is empty, not a plain decimal number (either '.' or ',' may mark
// the decimals) or too large for the computation.
std::optional<int> QuickSetFrequency(const std::string& khzText);

// The highest rate a monitor of hz line frequency shows on a row of this many
// lines: hz / lines x 0.95 - 2.5, rounded halves to even. Nothing when that
// does not fit the selectors' 16 bits.
std::optional<int> QuickSetRate(int hz, int lines);

// Sets the rows of the quick set from the frequency. False, with nothing
// changed, when the text gives no usable frequency.
bool QuickSet(RateEditor& editor, const std::string& khzText);

}  // namespace tsln
