#include <algorithm>
#include <cstring>
#include <string>

#include "modes/list_check_parts.h"
#include "modes/normal_row.h"

namespace tsln {
namespace {

// Right-aligned in its columns, as the driver's own rows are; empty when it is.
std::string AlignedDimensionFault(std::string_view name, std::string_view field) {
    const std::string_view number = field.substr(std::min(field.find_first_not_of(' '), field.size()));
    const DimensionFault fault = CheckDimension(number);
    if (fault == DimensionFault::None) {
        return "";
    }
    return std::string(name) + " " + Quoted(field) + " " +
           (fault == DimensionFault::LeadingZero
                ? std::string("starts with a zero")
                : "is not 3 or 4 digits right-aligned in " + std::to_string(field.size()) + " columns");
}

// Empty when the row is well formed, otherwise what is wrong with it.
std::string RowFault(std::string_view row) {
    const std::string_view depth = row.substr(0, 2);
    if (depth != "8 " && depth != "16" && depth != "32") {
        return "depth " + Quoted(depth) + " is not \"8 \", \"16\" or \"32\"";
    }
    std::string fault = AlignedDimensionFault("width", row.substr(2, 6));
    if (fault.empty()) {
        fault = AlignedDimensionFault("height", row.substr(8, 5));
    }
    if (!fault.empty()) {
        return fault;
    }
    if (row.substr(13, 3) != "   ") {
        return "columns 13-15 " + Quoted(row.substr(13, 3)) + " are not three spaces";
    }
    std::string expectedBlank(kRateFieldLength, ' ');
    const std::string_view field = row.substr(kRateFieldColumn, kRateFieldLength);
    for (size_t rung = 0; rung < kRateLadder.size(); ++rung) {
        const size_t column = kRateSlotColumns[rung];
        const size_t width = std::strlen(kRateLadder[rung]);
        const std::string_view slot = field.substr(column, width);
        if (slot != kRateLadder[rung] && slot.find_first_not_of(' ') != std::string_view::npos) {
            return "rate slot of " + std::string(kRateLadder[rung]) + " holds " + Quoted(slot);
        }
        expectedBlank.replace(column, width, slot);
    }
    if (field != expectedBlank) {
        return "rate field " + Quoted(field) + " has characters between its slots";
    }
    if (row.substr(kNormalRowLength - 3) != kRowTerminator) {
        return "terminator " + Quoted(row.substr(kNormalRowLength - 3)) + " is not \"  0\"";
    }
    return "";
}

}  // namespace

// Rows are 41 characters joined by two spaces. One space is accepted as well:
// the integrated GPU's default list has two such joins.
ListCheck CheckNormalSyntax(std::string_view text) {
    size_t pos = 0;
    for (int row = 1;; ++row) {
        const std::string where = "row " + std::to_string(row) + " at position " + std::to_string(pos) + ": ";
        if (text.size() - pos < static_cast<size_t>(kNormalRowLength)) {
            return Fail(where + "only " + std::to_string(text.size() - pos) + " characters left for a " +
                        std::to_string(kNormalRowLength) + "-character row");
        }
        const std::string fault = RowFault(text.substr(pos, kNormalRowLength));
        if (!fault.empty()) {
            return Fail(where + fault);
        }
        pos += kNormalRowLength;
        if (pos == text.size()) {
            return Pass();
        }
        const size_t next = std::min(text.find_first_not_of(' ', pos), text.size());
        const size_t spaces = next - pos;
        if (spaces == 0 || spaces > 2) {
            return Fail("position " + std::to_string(pos) + ": row " + std::to_string(row) + " is followed by " +
                        std::to_string(spaces) + " spaces instead of a two-space join");
        }
        pos = next;
    }
}

}  // namespace tsln
