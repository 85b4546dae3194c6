#include <string>

#include "modes/list_check_parts.h"

namespace tsln {
namespace {

// "8,16" or "32": depths ascending, none twice.
bool IsDepthList(std::string_view text) {
    int previous = 0;
    for (std::string_view depth : SplitAt(text, ',')) {
        const int value = depth == "8" ? 8 : depth == "16" ? 16 : depth == "32" ? 32 : 0;
        if (value <= previous) {
            return false;
        }
        previous = value;
    }
    return true;
}

// "800x600" (every depth) or "1600x900x8,16".
bool IsModeText(std::string_view mode) {
    const std::vector<std::string_view> parts = SplitAt(mode, 'x');
    return (parts.size() == 2 || parts.size() == 3) && IsDimension(parts[0]) && IsDimension(parts[1]) &&
           (parts.size() == 2 || IsDepthList(parts[2]));
}

// The driver's own masks have up to four digits and ours five; eight (a full
// 32-bit mask) is a ceiling that still stops a runaway value.
std::string MaskFault(std::string_view mask) {
    if (mask.empty() || mask.size() > 8) {
        return "mask " + Quoted(mask) + " is not 1 to 8 hex digits";
    }
    for (char c : mask) {
        if (c >= 'a' && c <= 'f') {
            return "mask " + Quoted(mask) + " is not upper-case hex";
        }
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
            return "mask " + Quoted(mask) + " is not hex";
        }
    }
    return "";
}

std::string GroupFault(std::string_view group) {
    const size_t equals = group.find('=');
    if (equals == std::string_view::npos) {
        return "has no \"=\"";
    }
    for (std::string_view mode : SplitAt(group.substr(0, equals), ' ')) {
        if (!IsModeText(mode)) {
            return "mode " + Quoted(mode) + " is not WxH or WxHxD[,D]";
        }
    }
    return MaskFault(group.substr(equals + 1));
}

}  // namespace

// Groups joined by "; ", each "WxH[xD,D] ...=MASK", the list closed by ";".
// A new section ("S " or "SHV ") may follow "; " or a bare ";".
ListCheck CheckMaskSyntax(std::string_view text) {
    if (text.substr(0, 2) != "S ") {
        return Fail("position 0: the list does not start with \"S \"");
    }
    if (text.back() != ';') {
        return Fail("position " + std::to_string(text.size() - 1) + ": the list does not end with \";\"");
    }
    const std::vector<std::string_view> pieces = SplitAt(text.substr(0, text.size() - 1), ';');
    for (size_t i = 0; i < pieces.size(); ++i) {
        std::string_view group = pieces[i];
        const bool joinedBySpace = i > 0 && group.substr(0, 1) == " ";
        if (joinedBySpace) {
            group.remove_prefix(1);
        }
        bool opensSection = false;
        for (std::string_view keyword : {"S ", "SHV "}) {
            if (!opensSection && group.substr(0, keyword.size()) == keyword) {
                group.remove_prefix(keyword.size());
                opensSection = true;
            }
        }
        std::string fault;
        if (i > 0 && !joinedBySpace && !opensSection) {
            fault = "does not follow \"; \"";
        } else {
            fault = GroupFault(group);
        }
        if (!fault.empty()) {
            return Fail("group " + std::to_string(i + 1) + " at position " +
                        std::to_string(PositionIn(text, pieces[i])) + " " + Quoted(pieces[i]) + " " + fault);
        }
    }
    return Pass();
}

}  // namespace tsln
