#include "platform/names.h"

#include <algorithm>

namespace tsln {

char FoldCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

bool LessName(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(FoldCase(x)) < static_cast<unsigned char>(FoldCase(y));
    });
}

bool StartsWithName(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

bool FitsShape(const std::string& text, const std::string& shape) {
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = FoldCase(text[i]);
        const bool digit = c >= '0' && c <= '9';
        if (shape[i] == 'x' ? !(digit || (c >= 'a' && c <= 'f')) : shape[i] == 'd' ? !digit : c != shape[i])
            return false;
    }
    return true;
}

}  // namespace tsln
