#include "monitor/gtf.h"

#include <cmath>

namespace tsln {
namespace {

constexpr int kCellPixels = 8;
constexpr int kFrontPorchLines = 1;
constexpr double kSyncAndBackPorchUs = 550;
// C' and M' (30 % and 300 %/kHz): C, M, K and J of the standard's defaults
// (40, 600, 128, 20) already folded in.
constexpr double kBlankingOffsetPercent = 30;
constexpr double kBlankingGradient = 300;

}  // namespace

// The standard's steps in its own order and rounding, so that the totals are
// the ones its worksheet gives; its numbered intermediate values are named
// after what they are.
GtfTiming Gtf(int width, int lines, double rateHz) {
    const double activePixels = std::nearbyint(static_cast<double>(width) / kCellPixels) * kCellPixels;
    const double estimatedLineUs = (1e6 / rateHz - kSyncAndBackPorchUs) / (lines + kFrontPorchLines);
    const double syncAndBackPorchLines = std::nearbyint(kSyncAndBackPorchUs / estimatedLineUs);
    const double totalLines = lines + syncAndBackPorchLines + kFrontPorchLines;
    const double estimatedRateHz = 1e6 / estimatedLineUs / totalLines;
    const double lineUs = estimatedLineUs * estimatedRateHz / rateHz;
    const double dutyPercent = kBlankingOffsetPercent - kBlankingGradient * lineUs / 1000;
    const double blankPixels =
        std::nearbyint(activePixels * dutyPercent / (100 - dutyPercent) / (2 * kCellPixels)) * (2 * kCellPixels);
    const double totalPixels = activePixels + blankPixels;

    GtfTiming timing;
    timing.totalPixels = static_cast<int>(totalPixels);
    timing.totalLines = static_cast<int>(totalLines);
    timing.lineRateKHz = 1000 / lineUs;
    timing.pixelClockMHz = totalPixels / lineUs;
    return timing;
}

}  // namespace tsln
