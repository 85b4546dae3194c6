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
        txtHMin = txtHMax = txtVMin = txtVMax = "";
        return;
    }
    txtHMin = std::to_string(inForce.limits->minHorizontalKHz);
    txtHMax = std::to_string(inForce.limits->maxHorizontalKHz);
    txtVMin = std::to_string(inForce.limits->minVerticalHz);
    txtVMax = std::to_string(inForce.limits->maxVerticalHz);
}

void frmLimits::cmdOK_Click() {
    struct Boxes {
        const std::string& low;
        const std::string& high;
        const char* name;
        const char* unit;
    };
    const Boxes ranges[2] = {{txtHMin, txtHMax, "Horizontal", "kHz"}, {txtVMin, txtVMax, "Vertical", "Hz"}};
    const auto refuse = [&](const std::string& text) { system_.messages.Show(text, MsgButtons::Ok, MsgIcon::Error); };
    LimitRange read[2];
    for (int i = 0; i < 2; ++i) {
        const Boxes& r = ranges[i];
        const auto low = LimitNumber(r.low);
        const auto high = LimitNumber(r.high);
        if (!low || !high) {
            refuse(std::string("The ") + (!low ? "first " : "second ") + r.name + " box must be a whole number of " +
                   r.unit + " from " + std::to_string(kLowestLimit) + " to " + std::to_string(kHighestLimit) + ".");
            return;
        }
        if (*low > *high) {
            refuse(std::string("The second ") + r.name + " box must not be below the first: the lowest comes first.");
            return;
        }
        read[i] = {*low, *high};
    }
    const MonitorLimits limits{read[1].low, read[1].high, read[0].low, read[0].high};
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
