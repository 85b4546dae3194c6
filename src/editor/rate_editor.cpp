#include "editor/rate_editor.h"

#include <algorithm>

#include "modes/number_text.h"

namespace tsln {

void RateEditor::SetAllEnabled(bool enabled) {
    for (auto& selector : selectors_)
        selector.enabled = enabled;
}

void RateEditor::SetValue(int row, int value) {
    if (value < 0 || value > kRateRows[row].maxValue)
        return;
    if (selectors_[row].value == value)
        return;
    selectors_[row].value = value;
    RefreshRateLabel(row);
}

void RateEditor::Arrow(int row, int delta) {
    SetValue(row, selectors_[row].value + delta);
}

void RateEditor::ShowRate(int row, int hertz) {
    if (captions_[row] == (hertz == 0 ? "N/A" : std::to_string(hertz)))
        return;
    int value = 0;
    if (maskModeFormat_) {
        value = std::min(hertz, kRateRows[row].maxValue);
    } else {
        while (value < static_cast<int>(kRateLadder.size()) && *ParseWholeNumber(kRateLadder[value]) <= hertz)
            ++value;
    }
    selectors_[row].value = value;
    if (value == 0) {
        captions_[row] = "N/A";
    } else {
        RefreshRateLabel(row);
    }
}

void RateEditor::RefreshRateLabel(int row) {
    const int value = selectors_[row].value;
    if (maskModeFormat_) {
        captions_[row] = value == 0 ? "N/A" : std::to_string(value);
    } else if (value >= 1 && value <= static_cast<int>(kRateLadder.size())) {
        captions_[row] = kRateLadder[value - 1];
    }
    // Ladder mode beyond the ladder (0, or 8 up to Max): the label stays, so
    // the arrows can overshoot without losing the last rate shown.
}

void RateEditor::ShowSystemRates(DisplayModeApi& modes) {
    for (auto& caption : captions_)
        caption = "0";

    DisplayMode mode;
    for (std::uint32_t i = 0; modes.EnumDisplaySettings(i, &mode); ++i) {
        if (mode.frequency == 0)
            continue;
        const int row = RowOfResolution(static_cast<int>(mode.width), static_cast<int>(mode.height));
        if (row < 0)
            continue;
        // 16-colour modes count only for the smallest sizes, where the driver
        // offers nothing else.
        if (!kRateRows[row].sixteenColourModes && mode.bitsPerPel == 4)
            continue;
        captions_[row] = std::to_string(mode.frequency);
    }

    for (int selector = 0; selector < kResolutionCount; ++selector) {
        std::string& caption = captions_[kRowsBySelector[selector]];
        if (caption == "N/A" || caption.empty()) {
            caption = "N/A";
            continue;
        }
        // 1 Hz is the hardware default and 56 Hz a VGA fallback: neither is
        // a rate the user can choose.
        const auto rate = ParseWholeNumber(caption);
        if (rate && *rate < 60)
            caption = "N/A";
    }
}

void RateEditor::SyncSelectorsFromLabels() {
    for (int selector = 0; selector < kResolutionCount; ++selector) {
        const int row = kRowsBySelector[selector];
        const std::string& caption = captions_[row];
        if (!maskModeFormat_) {
            // The mask-only rows have no place in the ladder lists.
            if (kRateRows[row].maskOnly)
                continue;
            const auto hit =
                std::find_if(kRateLadder.begin(), kRateLadder.end(), [&](const char* rate) { return caption == rate; });
            if (hit != kRateLadder.end())
                SetValue(row, static_cast<int>(hit - kRateLadder.begin()) + 1);
            continue;
        }
        if (caption == "N/A") {
            SetValue(row, 0);
            continue;
        }
        const auto rate = ParseWholeNumber(caption);
        if (!rate || *rate < 0)
            continue;
        if (*rate > kRateRows[row].maxValue) {
            // A system rate above the bound (85 Hz at 320 x 200): the arrows
            // start from the bound, but the label keeps what the system
            // reported until the user moves the selector.
            selectors_[row].value = kRateRows[row].maxValue;
            continue;
        }
        SetValue(row, static_cast<int>(*rate));
    }
}

}  // namespace tsln
