#include "modes/list_check.h"

#include <utility>
#include "modes/number_text.h"

#include "modes/list_check_parts.h"

namespace tsln {

ListCheck Pass() {
    return ListCheck{true, ""};
}

ListCheck Fail(std::string reason) {
    return ListCheck{false, std::move(reason)};
}

size_t PositionIn(std::string_view whole, std::string_view part) {
    return static_cast<size_t>(part.data() - whole.data());
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::vector<std::string_view> SplitAt(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string DimensionFaultText(std::string_view text) {
    switch (CheckDimension(text)) {
        case DimensionFault::None:
            return "";
        case DimensionFault::LeadingZero:
            return "starts with a zero";
        case DimensionFault::NotThreeOrFourDigits:
            break;
    }
    return "is not 3 or 4 digits";
}

bool IsLadderRate(std::string_view text) {
    for (const char* rate : kRateLadder) {
        if (text == rate) {
            return true;
        }
    }
    return false;
}

// The driver value is a REG_SZ read as one line: a line break or NUL would cut
// it short, and anything outside printable ASCII is no part of any syntax.
ListCheck CheckModeList(const std::string& text, ListSyntax syntax) {
    if (text.empty()) {
        return Fail("the list is empty");
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c > 0x7E) {
            return Fail("position " + std::to_string(i) + ": character 0x" + UpperHex(c, 2) +
                        " is not printable ASCII");
        }
    }
    if (text.front() == ' ') {
        return Fail("position 0: the list starts with a space");
    }
    if (text.back() == ' ') {
        return Fail("position " + std::to_string(text.size() - 1) + ": the list ends with a space");
    }
    switch (syntax) {
        case ListSyntax::Normal:
            return CheckNormalSyntax(text);
        case ListSyntax::Compressed:
            return CheckCompressedSyntax(text);
        case ListSyntax::Mask:
            return CheckMaskSyntax(text);
    }
    return Fail("unknown list syntax");
}

}  // namespace tsln
