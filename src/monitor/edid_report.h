#pragma once
// The printed form of an EDID, one item a line. Scripts and tests read it, so
// its shape does not change:
//   pnp-id: SAM0108
//   name: SyncMaster
//   version: 1.3
//   checksum: ok
//   ranges: 50-160 Hz V, 30-85 kHz H, max dotclock 180 MHz
//   listed: 1280x1024 at 85 Hz (91.146 kHz, 157.500 MHz)
// with a "listed:" line for each timing the monitor lists, in its order.
// "name: -" when the monitor gives none, "checksum: bad", "ranges: none"; a
// monitor that names no pixel clock limit gets no ", max dotclock" part. With
// no EDID at all the text is "no EDID" alone.
#include <optional>
#include <string>

#include "monitor/edid.h"

namespace tsln {

// The ranges as one line: "50-160 Hz V, 30-85 kHz H, max dotclock 180 MHz".
std::string RangesText(const MonitorRanges& ranges);

std::string FormatEdidReport(const std::optional<Edid>& edid);

}  // namespace tsln
