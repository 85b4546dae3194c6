#include "monitor/frm_limits.h"

#include "monitor/hand_limits.h"
#include "monitor/monitor_limits.h"

namespace tsln {
namespace {

const char kWriteError[] = "Error writing to the registry";

}  // namespace

void frmLimits::Form_Load(const std::string& monitorId, const std::optional<Edid>& edid) {
    loaded = true;
    owner_.SetEnabled(false);
    monitorId_ = monitorId;
    lblName = MonitorName(edid);
    const auto byHand = ReadHandLimits(system_.registry, monitorId);
    cmdOwnEnabled = byHand.has_value();
    const LimitsInForce inForce = ChooseLimits(byHand, edid);
    if (!inForce.limits) {
        txtHMin = txtHMax = txtVMin = txtVMax = txtClock = "";
        return;
    }
    txtHMin = std::to_string(inForce.limits->minHorizontalKHz);
    txtHMax = std::to_string(inForce.limits->maxHorizontalKHz);
    txtVMin = std::to_string(inForce.limits->minVerticalHz);
    txtVMax = std::to_string(inForce.limits->maxVerticalHz);
    const int clock = inForce.limits->maxPixelClockMHz;
    txtClock = clock > 0 ? std::to_string(clock) : "";
}

void frmLimits::cmdOK_Click() {
    // Horizontal first, each range's lowest box first: the first mistake in
    // reading order is the one named.
    const std::string* const boxes[4] = {&txtHMin, &txtHMax, &txtVMin, &txtVMax};
    int read[4] = {};
    for (int i = 0; i < 4; ++i) {
        const auto number = LimitNumber(*boxes[i]);
        const bool second = i % 2 == 1;
        const char* rule = nullptr;
        if (!number) {
            rule = i < 2 ? " box must be a whole number of kHz from 1 to 500."
                         : " box must be a whole number of Hz from 1 to 500.";
        } else if (second && *number < read[i - 1]) {
            rule = " box must not be below the first: the lowest comes first.";
        }
        if (rule != nullptr) {
            std::string text = second ? "The second " : "The first ";
            text += i < 2 ? "Horizontal" : "Vertical";
            text += rule;
            system_.messages.Show(text, MsgButtons::Ok, MsgIcon::Error);
            return;
        }
        read[i] = *number;
    }
    const auto clock = txtClock.empty() ? std::optional<int>(0) : PixelClockNumber(txtClock);
    if (!clock) {
        system_.messages.Show("The Pixel clock box must be empty or a whole number of MHz from 1 to 2550.",
                              MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    const MonitorLimits limits{read[2], read[3], read[0], read[1], *clock};
    if (!WriteHandLimits(system_.registry, monitorId_, limits)) {
        system_.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    owner_.ShowMonitorLimits();
    Unload();
}

void frmLimits::cmdOwn_Click() {
    if (!cmdOwnEnabled)
        return;
    if (!WriteHandLimits(system_.registry, monitorId_, std::nullopt)) {
        system_.messages.Show(kWriteError, MsgButtons::Ok, MsgIcon::Error);
        return;
    }
    owner_.ShowMonitorLimits();
    Unload();
}

void frmLimits::Form_Close() {
    Unload();
}

void frmLimits::Unload() {
    owner_.SetEnabled(true);
    loaded = false;
}

}  // namespace tsln
