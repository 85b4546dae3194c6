#pragma once
// What a small window asks of the window that opened it. They hold this
// instead of the main window itself, so that the main window's folder can
// depend on theirs and never the other way round.
#include <string>

namespace tsln {

class OwnerWindow {
public:
    // Off while a small window is open: the small windows are quasi-modal.
    virtual void SetEnabled(bool enabled) = 0;
    // Re-reads the stored TV-Out entries into "Added Resolutions: ...".
    virtual void ShowAddedResolutions() = 0;
    // Re-reads the monitor's limits in force into the monitor line, Fit to
    // Monitor and the quick set's box, after the user set or removed some.
    virtual void ShowMonitorLimits() = 0;
    // "640 x 480": the caption of one of the 23 rows.
    virtual std::string RowCaption(int row) const = 0;
    // What the row's rate label shows ("85", "N/A", ...).
    virtual std::string RateCaption(int row) const = 0;

protected:
    ~OwnerWindow() = default;
};

}  // namespace tsln
