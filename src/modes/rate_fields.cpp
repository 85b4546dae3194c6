#include <optional>
#include <string>
#include "modes/number_text.h"

#include "modes/mode_list.h"
#include "modes/normal_row.h"

namespace tsln {
namespace {

constexpr char kNoRate[] = "N/A";
// Large enough to tell every possible rate apart, small enough to never overflow.
constexpr long kDecimalCeiling = 1000000;

// Labels hold plain decimal text; anything with a sign, a blank or another
// character is not a rate. Very long digit runs saturate at the ceiling.
std::optional<long> ParsePlainDecimal(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
        if (value > kDecimalCeiling) {
            value = kDecimalCeiling;
        }
    }
    return value;
}

// Index into kRateLadder, or -1 for "N/A".
int LadderRung(const std::string& caption) {
    const std::string rate = NearestLadderRate(caption);
    for (size_t rung = 0; rung < kRateLadder.size(); ++rung) {
        if (rate == kRateLadder[rung]) {
            return static_cast<int>(rung);
        }
    }
    return -1;
}

}  // namespace

std::string NearestLadderRate(const std::string& caption) {
    if (caption == kNoRate) {
        return caption;
    }
    const std::optional<long> hertz = ParsePlainDecimal(caption);
    if (!hertz) {
        return kNoRate;
    }
    // Rounding down keeps the written rate within what the monitor reported.
    const char* rate = kNoRate;
    for (const char* rung : kRateLadder) {
        if (std::stol(rung) <= *hertz) {
            rate = rung;
        }
    }
    return rate;
}

std::string NormalRateField(const std::string& caption) {
    const int rung = LadderRung(caption);
    return rung < 0 ? RateFieldRun(0, -1) : RateFieldRun(rung, rung);
}

std::string CompressedRateField(const std::string& caption) {
    const int rung = LadderRung(caption);
    if (rung < 0) {
        return "-";
    }
    if (rung == 0) {
        return std::string(kRateLadder[1]) + "-";
    }
    return std::string("-") + kRateLadder[rung - 1];
}

// Only plain decimal digits count as a number, like every caption the editor
// sets. A sign or a blank ("-5", "+5", " 5") gives "000", the mask of no rate:
// a negative would otherwise come out as a 16-bit two's complement ("FFFB"),
// a mask that no selector position can produce.
std::string FormatHexMask(const std::string& caption) {
    const std::optional<long> value = ParsePlainDecimal(caption);
    if (!value || *value > 32767) {
        return "000";
    }
    return UpperHex(static_cast<unsigned long>(*value), 3);
}

}  // namespace tsln
