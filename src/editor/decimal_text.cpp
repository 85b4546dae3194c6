#include "editor/decimal_text.h"

#include <cstdint>

namespace tsln {
namespace {

// Up to these limits the digits form a whole number below 2^53 and the
// decimals a power of ten that a double holds exactly, so one division gives
// the correctly rounded value without the C library (whose full reader would
// not fit the program's size budget and reads '.' only in the "C" locale).
constexpr std::size_t kMaxSignificantDigits = 15;
constexpr std::size_t kMaxDecimals = 22;

}  // namespace

std::optional<double> ParseDecimal(const std::string& text) {
    std::size_t mark = std::string::npos;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' || c == ',') {
            if (mark != std::string::npos)
                return std::nullopt;
            mark = i;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    if (text.size() == (mark == std::string::npos ? 0 : 1))
        return std::nullopt;

    const std::size_t wholeEnd = mark == std::string::npos ? text.size() : mark;
    std::size_t end = text.size();
    if (mark != std::string::npos) {
        while (end > mark + 1 && text[end - 1] == '0')
            --end;  // 81.500 is 81.5
    }
    const std::size_t decimals = mark == std::string::npos ? 0 : end - mark - 1;
    if (decimals > kMaxDecimals)
        return std::nullopt;

    std::uint64_t digits = 0;
    std::size_t significant = 0;
    for (std::size_t i = 0; i < end; ++i) {
        if (i == wholeEnd)
            continue;
        if (significant == 0 && text[i] == '0')
            continue;
        if (++significant > kMaxSignificantDigits)
            return std::nullopt;
        digits = digits * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }

    double scale = 1;
    for (std::size_t i = 0; i < decimals; ++i)
        scale *= 10;
    return static_cast<double>(digits) / scale;
}

bool DecimalBoxTakes(const std::string& kept, char key, char userSeparator) {
    if (static_cast<unsigned char>(key) < 0x20 || (key >= '0' && key <= '9'))
        return true;
    if (key != '.' && key != userSeparator)
        return false;
    return kept.find_first_of(std::string{'.', ',', userSeparator}) == std::string::npos;
}

}  // namespace tsln
