#pragma once
// Fit to Monitor: every row at the highest rate whose timing the monitor
// takes; and the check that tells Apply which rows go outside its limits. A
// row's timing is the GTF's for the lines and width the monitor sees, unless
// the monitor lists that mode at that rate itself.
#include <optional>
#include <string>
#include <vector>

#include "editor/rate_editor.h"
#include "modes/resolutions.h"
#include "monitor/listed_timings.h"
#include "monitor/monitor_limits.h"

namespace tsln {

// The lines and the width the monitor sees on a row: the small sizes are shown
// line-doubled, and their pixels doubled with the lines.
int MonitorLines(int row);
int MonitorWidth(int row);

// The highest whole rate, at most the row's bound and the monitor's highest
// Hz, whose GTF timing the monitor takes (rate, line rate and pixel clock
// within the limits); at least the rate of a mode of that size the monitor
// lists, when the limits take that mode's own timing. Nothing when that is
// below 60 Hz or below the monitor's lowest Hz ("N/A").
std::optional<int> MonitorRate(int row, const MonitorLimits& limits, const std::vector<ListedTiming>& listed);

// Sets every row: in hertz mode to MonitorRate, in ladder mode to the highest
// ladder rate not above it. Rows with no rate become "N/A" whether their
// selector is enabled or not; the others only when it is.
void FitToMonitor(RateEditor& editor, const MonitorLimits& limits, const std::vector<ListedTiming>& listed,
                  bool hertzMode);

// The rows the list in this syntax would run outside the limits, in display
// order, each as "1600 x 1200 at 85 Hz". Above: the rate it writes, or its
// timing's line rate or pixel clock, is above the highest. Below: the rate or
// the line rate is under the lowest. A mode the monitor lists at that rate,
// within the limits, is neither; so no row Fit to Monitor set ever counts.
struct RowsOutside {
    std::vector<std::string> above;
    std::vector<std::string> below;
    bool empty() const { return above.empty() && below.empty(); }
};
RowsOutside RowsOutsideMonitor(const RateCaptions& captions, ListSyntax syntax, const MonitorLimits& limits,
                               const std::vector<ListedTiming>& listed);

// The question Apply asks before writing such rows: each side names at most
// five, then ", and N more". It names the limits as the monitor's report or,
// set by hand, as the ones set for it.
std::string OutsideMonitorQuestion(const RowsOutside& rows, const MonitorLimits& limits, bool setByHand);

}  // namespace tsln
