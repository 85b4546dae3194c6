#pragma once
// The fixed-column pieces of a normal-list row, shared by the list builder,
// the driver-default lists and the checker.
#include <array>
#include <string>

namespace tsln {

constexpr int kNormalRowLength = 41;
constexpr int kNormalRowHeadLength = 16;
constexpr int kRateFieldLength = 22;
constexpr int kRateFieldColumn = 16;
constexpr char kRowTerminator[] = "  0";

// Column, within the rate field, where each ladder rate's digits start.
constexpr std::array<int, 7> kRateSlotColumns = {0, 3, 6, 9, 12, 15, 19};

// "8    640  480   ": depth left-aligned in 2 columns, width right-aligned in
// 6, height in 5, then three spaces.
std::string NormalRowHead(int depth, int width, int height);

// A rate field listing the ladder rates firstRung..lastRung (indices into
// kRateLadder); an empty run (lastRung < firstRung) gives 22 spaces.
std::string RateFieldRun(int firstRung, int lastRung);

// Indices into kRateRows of the 19 rows of a depth block. 640x480 leads, as
// in the driver's own lists, although it is the seventh editor row.
const std::array<int, 19>& NormalRowOrder();

}  // namespace tsln
