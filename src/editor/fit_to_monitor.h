#pragma once
// Fit to Monitor: every row at the highest rate inside the monitor's limits,
// by the quick set's own rule; and the check that tells Apply which rows go
// outside them.
#include <optional>
#include <string>
#include <vector>

#include "editor/rate_editor.h"
#include "modes/resolutions.h"
#include "monitor/monitor_limits.h"

namespace tsln {

// The lines the monitor sees on a row: the small sizes are shown line-doubled.
int MonitorLines(int row);

// The highest rate the monitor takes on the row: the quick-set rate for its
// highest kHz, capped at its highest Hz and at the row's bound. Nothing when
// that is below 60 Hz or below the monitor's lowest Hz ("N/A").
std::optional<int> MonitorRate(int row, const MonitorLimits& limits);

// Sets every row: in hertz mode to MonitorRate, in ladder mode to the highest
// ladder rate not above it. Rows with no rate become "N/A" whether their
// selector is enabled or not; the others only when it is.
void FitToMonitor(RateEditor& editor, const MonitorLimits& limits, bool hertzMode);

// The rows the list in this syntax would run outside the limits, in display
// order, each as "1600 x 1200 at 85 Hz". Above: the rate it writes is above
// the monitor's highest Hz, or above the quick-set rate for its highest kHz
// (itself rounded, so a row Fit to Monitor set never counts). Below: under
// the monitor's lowest Hz. The lowest kHz is left out: how many lines the
// driver adds at a low rate is not known, and a guess would warn about modes
// every monitor shows.
struct RowsOutside {
    std::vector<std::string> above;
    std::vector<std::string> below;
    bool empty() const { return above.empty() && below.empty(); }
};
RowsOutside RowsOutsideMonitor(const RateCaptions& captions, ListSyntax syntax, const MonitorLimits& limits);

// The question Apply asks before writing such rows: each side names at most
// five, then ", and N more".
std::string OutsideMonitorQuestion(const RowsOutside& rows, const MonitorLimits& limits);

}  // namespace tsln
