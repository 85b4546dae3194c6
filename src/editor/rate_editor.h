#pragma once
// The refresh-rate editor: 23 rate labels and their selectors. The labels are
// the model (Apply reads only them); a selector is the input device whose
// every real change rewrites its label.
#include <array>
#include <string>

#include "editor/rate_rows.h"
#include "modes/resolutions.h"
#include "platform/system_api.h"

namespace tsln {

class RateEditor {
public:
    struct Selector {
        int value = 0;
        bool enabled = true;
    };

    // Hertz mode (the mask syntax) when on; ladder mode otherwise.
    void SetMaskModeFormat(bool on) { maskModeFormat_ = on; }

    const std::string& Caption(int row) const { return captions_[row]; }
    void SetCaption(int row, const std::string& text) { captions_[row] = text; }
    const RateCaptions& Captions() const { return captions_; }

    const Selector& SelectorOf(int row) const { return selectors_[row]; }
    void SetEnabled(int row, bool enabled) { selectors_[row].enabled = enabled; }
    void SetAllEnabled(bool enabled);

    // A program or user change of a selector's value: the label follows only
    // when the value really changes. Values outside 0..Max are refused.
    void SetValue(int row, int value);
    // An arrow click: +1 right, -1 left. Nothing happens at either bound.
    void Arrow(int row, int delta);

    // Where the arrows take the row nearest to hertz without going above it:
    // in hertz mode the rate up to the bound, in ladder mode the highest rung
    // not above it; 0 Hz, or no rung low enough, shows "N/A" at value 0. The
    // label shows it even when the selector held that value already. A row
    // that shows hertz already is left alone, as a user would leave it: a
    // system rate above the bound (85 Hz at 320 x 200) or off the ladder
    // stays what it is.
    void ShowRate(int row, int hertz);

    void RefreshRateLabel(int row);
    void ShowSystemRates(DisplayModeApi& modes);
    void SyncSelectorsFromLabels();

private:
    bool maskModeFormat_ = false;
    RateCaptions captions_{};
    std::array<Selector, kResolutionCount> selectors_{};
};

}  // namespace tsln
