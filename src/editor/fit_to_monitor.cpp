#include "editor/fit_to_monitor.h"

#include <algorithm>

#include "editor/quick_set.h"
#include "modes/mode_list.h"
#include "modes/number_text.h"

namespace tsln {
namespace {

constexpr std::size_t kRowsNamed = 5;

// The whole number a caption writes, or nothing for "N/A" and other text.
std::optional<int> WrittenRate(const std::string& caption, ListSyntax syntax) {
    const std::string written = syntax == ListSyntax::Mask ? caption : NearestLadderRate(caption);
    if (written.empty() || written.find_first_not_of("0123456789") != std::string::npos || written.size() > 6)
        return std::nullopt;
    return static_cast<int>(*ParseWholeNumber(written));
}

bool ListCarries(int row, ListSyntax syntax) {
    switch (syntax) {
        case ListSyntax::Normal:
            return kRateRows[row].inNormalList;
        case ListSyntax::Compressed:
            return kRateRows[row].inCompressedList;
        case ListSyntax::Mask:
            return true;
    }
    return true;
}

// "640 x 480 at 195 Hz, ... , and 11 more. "
void AppendRows(std::string& text, const std::vector<std::string>& rows) {
    for (std::size_t i = 0; i < rows.size() && i < kRowsNamed; ++i) {
        if (i > 0)
            text += ", ";
        text += rows[i];
    }
    if (rows.size() > kRowsNamed) {
        text += ", and ";
        text += std::to_string(rows.size() - kRowsNamed);
        text += " more";
    }
    text += ". ";
}

}  // namespace

int MonitorLines(int row) {
    return kRateRows[row].lineDoubled ? 2 * kRateRows[row].height : kRateRows[row].height;
}

std::optional<int> MonitorRate(int row, const MonitorLimits& limits) {
    const auto fitted = QuickSetRate(limits.maxHorizontalKHz * 1000, MonitorLines(row));
    if (!fitted)
        return std::nullopt;
    const int rate = std::min({*fitted, limits.maxVerticalHz, kRateRows[row].maxValue});
    if (rate < kLowestRate || rate < limits.minVerticalHz)
        return std::nullopt;
    return rate;
}

void FitToMonitor(RateEditor& editor, const MonitorLimits& limits, bool hertzMode) {
    for (int row = 0; row < kResolutionCount; ++row) {
        const auto rate = MonitorRate(row, limits);
        if (!rate) {
            editor.SetValue(row, 0);
            editor.SetCaption(row, "N/A");
            continue;
        }
        if (!editor.SelectorOf(row).enabled)
            continue;
        if (hertzMode) {
            editor.SetValue(row, *rate);
            editor.SetCaption(row, std::to_string(*rate));
            continue;
        }
        // At least 60 Hz, so there is always a rung at or below it.
        const std::string rung = NearestLadderRate(std::to_string(*rate));
        const auto at = std::find_if(kRateLadder.begin(), kRateLadder.end(), [&](const char* r) { return rung == r; });
        editor.SetValue(row, static_cast<int>(at - kRateLadder.begin()) + 1);
        editor.SetCaption(row, rung);
    }
}

RowsOutside RowsOutsideMonitor(const RateCaptions& captions, ListSyntax syntax, const MonitorLimits& limits) {
    RowsOutside rows;
    for (int row = 0; row < kResolutionCount; ++row) {
        if (!ListCarries(row, syntax))
            continue;
        const auto rate = WrittenRate(captions[row], syntax);
        if (!rate)
            continue;
        const std::string named = std::string(kRateRows[row].caption) + " at " + std::to_string(*rate) + " Hz";
        const auto allowed = QuickSetRate(limits.maxHorizontalKHz * 1000, MonitorLines(row));
        if (*rate > limits.maxVerticalHz || (allowed && *rate > *allowed)) {
            rows.above.push_back(named);
        } else if (*rate < limits.minVerticalHz) {
            rows.below.push_back(named);
        }
    }
    return rows;
}

std::string OutsideMonitorQuestion(const RowsOutside& rows, const MonitorLimits& limits) {
    std::string reported = "what your monitor reports (";
    reported += LimitsText(limits);
    reported += "): ";
    std::string text;
    if (!rows.above.empty()) {
        text = "These rates go beyond ";
        text += reported;
        AppendRows(text, rows.above);
    }
    if (!rows.below.empty()) {
        if (rows.above.empty()) {
            text += "These rates are below ";
            text += reported;
        } else {
            text += "These are below it: ";
        }
        AppendRows(text, rows.below);
    }
    text += "Apply them anyway?";
    return text;
}

}  // namespace tsln
