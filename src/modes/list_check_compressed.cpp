#include <string>

#include "modes/list_check_parts.h"

namespace tsln {
namespace {

bool IsDepthField(std::string_view field) {
    return field == "-" || field == "-16" || field == "32";
}

// "120", "100-", "-85" or a lone "-".
bool IsRangeRateField(std::string_view field) {
    if (field == "-") {
        return true;
    }
    if (!field.empty() && field.front() == '-') {
        field.remove_prefix(1);
    } else if (!field.empty() && field.back() == '-') {
        field.remove_suffix(1);
    }
    return IsLadderRate(field);
}

// Empty when the entry is well formed; TV-Out items only ever offer 60 Hz in every depth.
std::string EntryFault(std::string_view entry, bool tvOutItem) {
    const std::vector<std::string_view> fields = SplitAt(entry, ',');
    if (fields.size() != 4) {
        return "has " + std::to_string(fields.size()) + " comma-separated fields instead of 4";
    }
    if (!IsDimension(fields[0])) {
        return "width " + Quoted(fields[0]) + " " + DimensionFaultText(fields[0]);
    }
    if (!IsDimension(fields[1])) {
        return "height " + Quoted(fields[1]) + " " + DimensionFaultText(fields[1]);
    }
    if (tvOutItem ? fields[2] != "-" : !IsDepthField(fields[2])) {
        return "depth field " + Quoted(fields[2]) + " is not " + (tvOutItem ? "\"-\"" : "\"-\", \"-16\" or \"32\"");
    }
    if (tvOutItem ? fields[3] != "60" : !IsRangeRateField(fields[3])) {
        return "rate field " + Quoted(fields[3]) + " is not " + (tvOutItem ? "\"60\"" : "a ladder rate range");
    }
    return "";
}

ListCheck CheckEntries(std::string_view text, const std::vector<std::string_view>& entries, bool tvOutItems) {
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string fault = entries[i].empty() ? std::string("is empty") : EntryFault(entries[i], tvOutItems);
        if (!fault.empty()) {
            return Fail(std::string(tvOutItems ? "A item " : "entry ") + std::to_string(i + 1) + " at position " +
                        std::to_string(PositionIn(text, entries[i])) + " " + Quoted(entries[i]) + " " + fault);
        }
    }
    return Pass();
}

}  // namespace

// "S " and range entries joined by ";", then optionally ";A " and the TV-Out
// items, whose closing ";" depends on whether they were built at start-up.
ListCheck CheckCompressedSyntax(std::string_view text) {
    if (text.substr(0, 2) != "S ") {
        return Fail("position 0: the list does not start with \"S \"");
    }
    std::string_view ranges = text.substr(2);
    std::string_view tvOut;
    const size_t section = ranges.find(";A ");
    if (section != std::string_view::npos) {
        tvOut = ranges.substr(section + 3);
        ranges = ranges.substr(0, section);
        if (!tvOut.empty() && tvOut.back() == ';') {
            tvOut.remove_suffix(1);
        }
        if (tvOut.empty()) {
            return Fail("position " + std::to_string(PositionIn(text, tvOut)) + ": the A section has no item");
        }
    }
    const ListCheck rangeCheck = CheckEntries(text, SplitAt(ranges, ';'), false);
    if (!rangeCheck.ok || section == std::string_view::npos) {
        return rangeCheck;
    }
    return CheckEntries(text, SplitAt(tvOut, ';'), true);
}

}  // namespace tsln
