#include "editor/fit_to_monitor.h"

#include <algorithm>

#include "editor/quick_set.h"
#include "modes/mode_list.h"
#include "modes/number_text.h"
#include "monitor/gtf.h"

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

bool Takes(const MonitorLimits& limits, double rateHz, double lineRateKHz, double pixelClockMHz) {
    return rateHz >= limits.minVerticalHz && rateHz <= limits.maxVerticalHz && lineRateKHz >= limits.minHorizontalKHz &&
           lineRateKHz <= limits.maxHorizontalKHz &&
           (limits.maxPixelClockMHz == 0 || pixelClockMHz <= limits.maxPixelClockMHz);
}

// Interlaced modes are left out: no row is one.
bool ListedFits(const ListedTiming& timing, const MonitorLimits& limits) {
    return !timing.interlaced &&
           Takes(limits, WholeRefreshHz(timing), LineRateKHz(timing), timing.pixelClockKHz / 1000.0);
}

bool ListedForRow(const ListedTiming& timing, int row, const MonitorLimits& limits) {
    return timing.width == MonitorWidth(row) && timing.height == MonitorLines(row) && ListedFits(timing, limits);
}

bool ListsAt(const std::vector<ListedTiming>& listed, const MonitorLimits& limits, int row, int rate) {
    return std::any_of(listed.begin(), listed.end(), [&](const ListedTiming& t) {
        return WholeRefreshHz(t) == rate && ListedForRow(t, row, limits);
    });
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

int MonitorWidth(int row) {
    return kRateRows[row].lineDoubled ? 2 * kRateRows[row].width : kRateRows[row].width;
}

std::optional<int> MonitorRate(int row, const MonitorLimits& limits, const std::vector<ListedTiming>& listed) {
    const int highest = std::min(kRateRows[row].maxValue, limits.maxVerticalHz);
    const int lowest = std::max(kLowestRate, limits.minVerticalHz);
    int rate = 0;
    for (int r = highest; r >= lowest && rate == 0; --r) {
        const GtfTiming gtf = Gtf(MonitorWidth(row), MonitorLines(row), r);
        if (Takes(limits, r, gtf.lineRateKHz, gtf.pixelClockMHz))
            rate = r;
    }
    for (const ListedTiming& t : listed) {
        const int listedRate = WholeRefreshHz(t);
        if (listedRate > rate && listedRate <= highest && ListedForRow(t, row, limits))
            rate = listedRate;
    }
    if (rate < lowest)
        return std::nullopt;
    return rate;
}

void FitToMonitor(RateEditor& editor, const MonitorLimits& limits, const std::vector<ListedTiming>& listed,
                  bool hertzMode) {
    for (int row = 0; row < kResolutionCount; ++row) {
        const auto rate = MonitorRate(row, limits, listed);
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

RowsOutside RowsOutsideMonitor(const RateCaptions& captions, ListSyntax syntax, const MonitorLimits& limits,
                               const std::vector<ListedTiming>& listed) {
    RowsOutside rows;
    for (int row = 0; row < kResolutionCount; ++row) {
        if (!ListCarries(row, syntax))
            continue;
        const auto rate = WrittenRate(captions[row], syntax);
        if (!rate || ListsAt(listed, limits, row, *rate))
            continue;
        bool above = *rate > limits.maxVerticalHz, below = *rate < limits.minVerticalHz;
        // Within the Hz range the GTF holds (a frame outlasts its sync); a
        // rate of 0 has no timing.
        if (!above && *rate > 0) {
            const GtfTiming gtf = Gtf(MonitorWidth(row), MonitorLines(row), *rate);
            above = gtf.lineRateKHz > limits.maxHorizontalKHz ||
                    (limits.maxPixelClockMHz > 0 && gtf.pixelClockMHz > limits.maxPixelClockMHz);
            below = below || gtf.lineRateKHz < limits.minHorizontalKHz;
        }
        const std::string named = std::string(kRateRows[row].caption) + " at " + std::to_string(*rate) + " Hz";
        if (above) {
            rows.above.push_back(named);
        } else if (below) {
            rows.below.push_back(named);
        }
    }
    return rows;
}

std::string OutsideMonitorQuestion(const RowsOutside& rows, const MonitorLimits& limits, bool setByHand) {
    std::string reported = setByHand ? "the limits set for your monitor (" : "what your monitor reports (";
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
