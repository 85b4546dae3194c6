#pragma once
#include <optional>
#include <string>

#include "monitor/edid.h"
#include "state/owner_window.h"
#include "state/system.h"

namespace tsln {

// "Monitor Limits": the ranges of the PC's monitor, set by hand.
class frmLimits {
public:
    frmLimits(System& system, OwnerWindow& owner) : system_(system), owner_(owner) {}

    bool loaded = false;
    std::string lblName;  // the monitor as the main window names it
    // "Horizontal: [txtHMin] - [txtHMax] kHz", "Vertical: [txtVMin] - [txtVMax] Hz",
    // "Pixel clock: up to [txtClock] MHz" (empty: none known)
    std::string txtHMin, txtHMax, txtVMin, txtVMax, txtClock;
    bool cmdOwnEnabled = false;  // "Use the Monitor's Own": there is something set by hand to remove

    // The boxes show the limits in force, or nothing when there are none.
    void Form_Load(const std::string& monitorId, const std::optional<Edid>& edid);
    // "OK": stores the numbers and closes, unless one breaks a rule (it
    // is named, and the dialog stays as it is) or the registry refuses them.
    void cmdOK_Click();
    // "Use the Monitor's Own": removes what was set by hand and closes.
    void cmdOwn_Click();
    // "Cancel", Esc and the close box leave without storing.
    void Form_Close();

private:
    void Unload();

    System& system_;
    OwnerWindow& owner_;
    std::string monitorId_;
};

}  // namespace tsln
