// The quick-set number reader against a standard conversion: digits with at
// most one '.' or ',' give the value strtod gives, in Hz; anything else gives
// nothing. Only a rounding tie (x.5 Hz, where the last bit of a double may
// fall either way) and a number beyond the reader's limits (more than 15
// significant digits or 22 decimals, which it refuses) leave room.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

#include "editor/quick_set.h"

namespace {

// Leading zeros and trailing decimal zeros do not count, as in the reader.
bool BeyondReaderLimits(const std::string& plain) {
    const std::size_t mark = plain.find('.');
    std::string whole = plain.substr(0, mark);
    std::string decimals = mark == std::string::npos ? "" : plain.substr(mark + 1);
    whole.erase(0, whole.find_first_not_of('0') == std::string::npos ? whole.size() : whole.find_first_not_of('0'));
    decimals.erase(decimals.find_last_not_of('0') + 1);
    std::string digits = whole + decimals;
    digits.erase(0, digits.find_first_not_of('0') == std::string::npos ? digits.size() : digits.find_first_not_of('0'));
    return digits.size() > 15 || decimals.size() > 22;
}

bool IsPlainDecimal(const std::string& text) {
    std::size_t digits = 0;
    std::size_t marks = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
        } else if (c == '.' || c == ',') {
            ++marks;
        } else {
            return false;
        }
    }
    return digits > 0 && marks <= 1;
}

[[noreturn]] void Fail(const std::string& text, const std::optional<int>& got, const std::optional<double>& expected) {
    const std::string reading = got ? std::to_string(*got) + " Hz" : "nothing";
    const std::string standard = expected ? std::to_string(*expected) + " Hz" : "no number";
    std::fprintf(stderr, "finding: \"%s\" read as %s, a standard conversion gives %s\n", text.c_str(), reading.c_str(),
                 standard.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<int> got = tsln::QuickSetFrequency(text);
    if (!IsPlainDecimal(text)) {
        if (got)
            Fail(text, got, std::nullopt);
        return 0;
    }
    std::string c = text;
    for (char& ch : c) {
        if (ch == ',')
            ch = '.';
    }
    const double hz = std::strtod(c.c_str(), nullptr) * 1000;
    if (!got) {
        if (BeyondReaderLimits(c) || hz >= std::numeric_limits<std::int32_t>::max() - 1.0)
            return 0;
        Fail(text, got, hz);
    }
    if (*got == std::nearbyint(hz))
        return 0;
    const bool nearTie = std::fabs(hz - std::floor(hz) - 0.5) < 1e-6 * std::fmax(1.0, hz);
    if (nearTie && (*got == std::floor(hz) || *got == std::ceil(hz)))
        return 0;
    Fail(text, got, hz);
}
