#include "editor/quick_set.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace tsln {
namespace {

struct LineGroup {
    int lines;
    std::vector<int> rows;
};

// Rows that share a number of lines share a rate. The six smallest sizes are
// left alone: their rates are fixed by the driver.
const std::array<LineGroup, 12> kLineGroups = {{
    {480, {6, 8}},
    {600, {7}},
    {768, {9, 12, 15}},
    {864, {10}},
    {720, {11}},
    {960, {13}},
    {1024, {14, 17}},
    {900, {16}},
    {1200, {18, 20}},
    {1080, {19}},
    {1440, {21}},
    {1536, {22}},
}};

constexpr double kRetraceShare = 0.95;
constexpr double kMarginHz = 2.5;
constexpr int kLowestRate = 60;
constexpr int kHighestRate = 240;

std::optional<double> ParseDecimal(const std::string& text) {
    double value = 0;
    double scale = 0;  // 0 until the decimal mark is seen
    bool anyDigit = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (scale == 0) {
                value = value * 10 + (c - '0');
            } else {
                scale /= 10;
                value += (c - '0') * scale;
            }
        } else if ((c == '.' || c == ',') && scale == 0) {
            scale = 1;
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit) return std::nullopt;
    return value;
}

}  // namespace

std::optional<int> QuickSetFrequency(const std::string& khzText) {
    const auto khz = ParseDecimal(khzText);
    if (!khz) return std::nullopt;
    const double hz = std::nearbyint(*khz * 1000);
    if (hz > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<int>(hz);
}

bool QuickSet(RateEditor& editor, const std::string& khzText) {
    const auto hz = QuickSetFrequency(khzText);
    if (!hz) return false;

    // Work every rate out first, so a frequency too large for a rate leaves
    // the whole editor as it was rather than half set.
    std::array<int, kLineGroups.size()> rates{};
    for (std::size_t i = 0; i < kLineGroups.size(); ++i) {
        const double rate = std::nearbyint(static_cast<double>(*hz) / kLineGroups[i].lines * kRetraceShare - kMarginHz);
        if (rate > std::numeric_limits<std::int16_t>::max() || rate < std::numeric_limits<std::int16_t>::min()) {
            return false;
        }
        rates[i] = static_cast<int>(rate);
    }

    for (std::size_t i = 0; i < kLineGroups.size(); ++i) {
        const int rate = rates[i];
        for (const int row : kLineGroups[i].rows) {
            if (rate < kLowestRate) {
                editor.SetValue(row, 0);
                editor.SetCaption(row, "N/A");
            } else if (rate <= kHighestRate && editor.SelectorOf(row).enabled) {
                editor.SetValue(row, rate);
                editor.SetCaption(row, std::to_string(rate));
            }
        }
    }
    return true;
}

}  // namespace tsln
