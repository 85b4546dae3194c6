#include "editor/quick_set.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "editor/decimal_text.h"

namespace tsln {
namespace {

struct LineGroup {
    int lines;
    std::vector<int> rows;
};

// Rows that share a number of lines share a rate; the groups come in the
// order of their first row. The small sizes are left alone: their rates are
// fixed by the driver.
const std::vector<LineGroup>& LineGroups() {
    static const std::vector<LineGroup> groups = [] {
        std::vector<LineGroup> all;
        for (int row = 0; row < kResolutionCount; ++row) {
            if (!kRateRows[row].inQuickSet)
                continue;
            const int lines = kRateRows[row].height;
            auto group = all.begin();
            while (group != all.end() && group->lines != lines)
                ++group;
            if (group == all.end())
                group = all.insert(all.end(), LineGroup{lines, {}});
            group->rows.push_back(row);
        }
        return all;
    }();
    return groups;
}

constexpr double kRetraceShare = 0.95;
constexpr double kMarginHz = 2.5;
constexpr int kHighestRate = 240;

}  // namespace

std::optional<int> QuickSetFrequency(const std::string& khzText) {
    const auto khz = ParseDecimal(khzText);
    if (!khz)
        return std::nullopt;
    const double hz = std::nearbyint(*khz * 1000);
    if (hz > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<int>(hz);
}

std::optional<int> QuickSetRate(int hz, int lines) {
    const double rate = std::nearbyint(static_cast<double>(hz) / lines * kRetraceShare - kMarginHz);
    if (rate > std::numeric_limits<std::int16_t>::max() || rate < std::numeric_limits<std::int16_t>::min())
        return std::nullopt;
    return static_cast<int>(rate);
}

bool QuickSet(RateEditor& editor, const std::string& khzText) {
    const auto hz = QuickSetFrequency(khzText);
    if (!hz)
        return false;

    // Work every rate out first, so a frequency too large for a rate leaves
    // the whole editor as it was rather than half set.
    const std::vector<LineGroup>& groups = LineGroups();
    std::vector<int> rates;
    for (const LineGroup& group : groups) {
        const auto rate = QuickSetRate(*hz, group.lines);
        if (!rate)
            return false;
        rates.push_back(*rate);
    }

    for (std::size_t i = 0; i < groups.size(); ++i) {
        const int rate = rates[i];
        for (const int row : groups[i].rows) {
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
