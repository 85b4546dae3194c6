#include "console/console_app.h"

#include <deque>
#include <memory>
#include <optional>
#include <utility>

#include "app/frm_main.h"
#include "app/undo.h"
#include "console/command_line.h"
#include "console/live_pc.h"
#include "editor/rate_rows.h"
#include "modes/number_text.h"
#include "monitor/edid_report.h"
#include "monitor/monitor_limits.h"
#include "platform/one_line.h"
#include "platform/registry_helpers.h"
#include "state/program_state.h"
#include "tsln_version.h"

namespace tsln {
namespace {

// An action that cannot run on this PC as it is now (a rate its selector
// cannot reach, a disabled menu item, a question nobody answered). The run
// stops there; what the actions before it wrote stays written. Not a
// std::runtime_error: that class keeps its text in the old copy-on-write
// string, which would link a second string implementation (about 45 KB)
// into tessaline.exe.
struct ActionFailed {
    explicit ActionFailed(std::string message, int exitStatus = kExitFailed)
        : text(std::move(message)), status(exitStatus) {}
    const char* what() const { return text.c_str(); }
    std::string text;
    int status;
};

class ConsoleMessages : public MessageBoxes {
public:
    ConsoleMessages(TextWriter& out, std::deque<MsgAnswer>& answers) : out_(out), answers_(answers) {}

    // A message may quote the registry (the date of an undo record): one box, one line.
    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override {
        const std::string line = OneLine(text);
        if (buttons == MsgButtons::Ok) {
            out_ << "[Tessaline] " << line << "\n";
            // The program reports every failure with the error icon, and only failures.
            if (icon == MsgIcon::Error && !error_)
                error_ = line;
            return MsgAnswer::Ok;
        }
        if (answers_.empty())
            throw ActionFailed("no --yes or --no left to answer \"" + line + "\"", kExitUsage);
        const MsgAnswer answer = answers_.front();
        answers_.pop_front();
        out_ << "[Tessaline] " << line << " [" << (answer == MsgAnswer::Yes ? "Yes" : "No") << "]\n";
        return answer;
    }

    // The first error shown since the last call, if any.
    std::optional<std::string> TakeError() { return std::exchange(error_, std::nullopt); }

private:
    TextWriter& out_;
    std::deque<MsgAnswer>& answers_;
    std::optional<std::string> error_;
};

class ConsoleBeeper : public Beeper {
public:
    explicit ConsoleBeeper(TextWriter& out) : out_(out) {}
    void Beep() override { out_ << "[beep]\n"; }

private:
    TextWriter& out_;
};

// The portable build has no regional settings: ISO date, 24-hour time.
class ConsoleClock : public Clock {
public:
    explicit ConsoleClock(std::optional<DateTimeText> pinned) : pinned_(std::move(pinned)) {}
    DateTimeText Now() override {
        const std::string stamp = Stamp();
        return {stamp.substr(0, 10), stamp.substr(11)};
    }
    std::string Stamp() override { return pinned_ ? pinned_->date + " " + pinned_->time : LocalStamp(); }

private:
    std::optional<DateTimeText> pinned_;
};

// The tester needs a screen; the console has none.
class NoScreenTester : public VsyncTester {
public:
    std::string Run(const VsyncTestParams&) override { return "The VSync test needs a screen"; }
};

// Left-aligned in a column of width characters, as setw with left would.
std::string Padded(const std::string& text, std::size_t width) {
    return text.size() < width ? text + std::string(width - text.size(), ' ') : text;
}

std::string Flags(const MenuItem& item) {
    return std::string(item.enabled ? "enabled" : "disabled") + (item.checked ? ", checked" : "");
}

void PrintMainWindow(const frmMain& form, TextWriter& out) {
    out << "Tessaline v2.0\n";
    out << "OS Version:          " << form.lblOS << "\n";
    out << "Detonator Version:   " << form.lblDetVersion << "\n";
    out << "Device Description:  " << OneLine(form.lblAdapters) << "\n";
    out << "Monitor:             " << form.lblMonitor << "\n";
    // Two columns, as the window lays the rows out: 11 on the left, 12 on the right.
    constexpr int kLeftRows = 11;
    const auto cell = [&](int row) { return Padded(kRateRows[row].caption, 13) + Padded(form.editor.Caption(row), 5); };
    out << Padded("Resolution", 13) << Padded("Hz", 5) << "   " << Padded("Resolution", 13) << "Hz\n";
    for (int i = 0; i < kResolutionCount - kLeftRows; ++i) {
        const std::string left = i < kLeftRows ? cell(i) : std::string(18, ' ');
        std::string line = left + "   " + cell(kLeftRows + i);
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    }
    out << "[" << (form.Check1 ? "x" : " ") << "] Advanced Mode\n";
    out << "Extras > Load on Windows Start: " << Flags(form.mnuLoad) << "\n";
    out << "Extras > TV-Out Resolutions...: " << Flags(form.mnuTVORes) << "\n";
    if (form.heightTwips == kAdvancedViewTwips) {
        out << "Quick set: " << (form.Text1.empty() ? "(empty)" : OneLine(form.Text1)) << " kHz, "
            << (form.quickSetEnabled ? "enabled" : "disabled") << "\n";
        out << form.Label50 << "\n";
    }
}

// The last line "monitor" prints: "limits: 30-96 kHz H, 50-160 Hz V (set by
// hand)", "limits: 30-96 kHz H, 50-160 Hz V, 230 MHz (from the EDID)" or
// "limits: none".
std::string LimitsLine(const LimitsInForce& inForce) {
    if (!inForce.limits)
        return "limits: none";
    const MonitorLimits& l = *inForce.limits;
    std::string line = "limits: " + RangeText(l.minHorizontalKHz, l.maxHorizontalKHz) + " kHz H, " +
                       RangeText(l.minVerticalHz, l.maxVerticalHz) + " Hz V";
    if (l.maxPixelClockMHz > 0)
        line += ", " + std::to_string(l.maxPixelClockMHz) + " MHz";
    return line + (inForce.source == LimitsSource::Hand ? " (set by hand)" : " (from the EDID)");
}

class Session {
public:
    Session(TargetPc& pc, const CommandLine& line, TextWriter& out)
        : answers_(line.answers.begin(), line.answers.end()),
          messages_(out, answers_),
          beeper_(out),
          clock_(line.now),
          system_{pc.Registry(),
                  pc.DisplayModes(),
                  pc.DisplayDevices(),
                  pc.FileVersion(),
                  pc.Shell(),
                  pc.Files(),
                  messages_,
                  beeper_,
                  clock_,
                  pc.ProgramFolder(),
                  line.startup ? "/startup" : ""},
          form_(system_, state_, tester_),
          pc_(pc),
          out_(out) {}

    // False when the program ended at start-up. The boxes that end it are
    // that ending, not a failed action.
    bool Start() {
        started_ = true;
        const bool started = form_.Form_Load() == Outcome::Continue;
        messages_.TakeError();
        return started;
    }
    // An undo needs none of the start-up: it is what a Safe Mode prompt runs,
    // where the driver is not loaded and the start-up would refuse the PC.
    static bool NeedsStart(const std::vector<Action>& actions) {
        for (const Action& action : actions) {
            if (action.verb != Verb::kUndo)
                return true;
        }
        return actions.empty();
    }

    void Run(const Action& action) {
        try {
            Do(action);
            // The handler ran to its end, as a click does; the run ends after it.
            if (const auto error = messages_.TakeError())
                throw ActionFailed("the program showed the error \"" + *error + "\"");
        } catch (const ActionFailed& e) {
            throw ActionFailed(OneLine(action.typed) + ": " + e.what(), e.status);
        }
    }

private:
    void Do(const Action& action) {
        switch (action.verb) {
            case Verb::kShow:
                PrintMainWindow(form_, out_);
                break;
            case Verb::kRates:
                for (int row = 0; row < kResolutionCount; ++row) {
                    out_ << kRateRows[row].caption << "=" << form_.editor.Caption(row) << "\n";
                }
                break;
            case Verb::kAdvanced:
                form_.Check1_Click();
                break;
            case Verb::kRate:
                MoveSelector(action.row, action.text);
                break;
            case Verb::kQuickSet:
                RequireQuickSet();
                form_.Text1_Change(action.text);
                form_.cmdCalc_Click();
                break;
            case Verb::kQuickSetDefaults:
                RequireQuickSet();
                form_.cmdCalcDef_Click();
                break;
            case Verb::kApply:
                form_.cmdApply_Click();
                break;
            case Verb::kDefaults:
                form_.cmdReset_Click();
                break;
            case Verb::kTvOut:
                EnterTvOut(action.tvOut);
                break;
            case Verb::kLoadOnStart:
                if (!form_.mnuLoad.enabled)
                    throw ActionFailed("\"Load on Windows Start\" is disabled (switch on advanced)");
                form_.mnuLoad_Click();
                break;
            case Verb::kUndo:
                // After the start-up, as the menu item: only this adapter's list.
                if (started_)
                    UndoLastChangeOf(system_, state_.DriverRegPath, state_.ModesValueName);
                else
                    UndoLastChange(system_);
                break;
            case Verb::kShowValue:
                out_ << state_.ModesValueName << "="
                     << OneLine(RegGetString(system_.registry, kHkeyLocalMachine, state_.DriverRegPath,
                                             state_.ModesValueName, ""))
                     << "\n";
                break;
            case Verb::kMonitor:
                out_ << FormatEdidReport(form_.monitor) << LimitsLine(form_.monitorLimits) << "\n";
                break;
            case Verb::kFitMonitor:
                if (!form_.mnuFitMonitor.enabled)
                    throw ActionFailed("\"Fit to Monitor\" is disabled (" +
                                       std::string(form_.Check1
                                                       ? "no limits known for the monitor: monitor-limits sets them"
                                                       : "switch on advanced") +
                                       ")");
                form_.mnuFitMonitor_Click();
                break;
            case Verb::kMonitorLimits:
                EnterMonitorLimits(action.limitBoxes);
                break;
            case Verb::kSaveChoices:
                form_.mnuSaveChoices_Click(pc_.WindowsPath(action.text));
                break;
            case Verb::kLoadChoices:
                form_.mnuLoadChoices_Click(pc_.WindowsPath(action.text));
                break;
        }
    }

    void MoveSelector(int row, const std::string& target) {
        if (form_.editor.Caption(row) == target)
            return;
        const std::string name = kRateRows[row].caption;
        if (!form_.editor.SelectorOf(row).enabled)
            throw ActionFailed("the selector of " + name + " is disabled");

        // The selector value that shows the target: its ladder index, or in
        // hertz the rate itself (0 for "N/A").
        std::optional<std::int64_t> goal;
        if (state_.MaskModeFormat) {
            goal = target == "N/A" ? std::optional<std::int64_t>(0) : ParseWholeNumber(target);
        } else {
            for (std::size_t i = 0; i < kRateLadder.size(); ++i) {
                if (target == kRateLadder[i])
                    goal = static_cast<std::int64_t>(i) + 1;
            }
        }
        const std::string refusal = "the selector of " + name + " cannot show \"" + target + "\" on this PC";
        if (!goal || *goal < 0 || *goal > kRateRows[row].maxValue)
            throw ActionFailed(refusal);
        while (form_.editor.Caption(row) != target) {
            const int value = form_.editor.SelectorOf(row).value;
            if (value == *goal)
                throw ActionFailed(refusal);
            form_.Selector_Arrow(row, value < *goal ? 1 : -1);
        }
    }

    void RequireQuickSet() {
        if (form_.heightTwips != kAdvancedViewTwips)
            throw ActionFailed("the quick set shows only in advanced mode");
        if (!form_.quickSetEnabled)
            throw ActionFailed("the quick set is disabled for this driver's list syntax");
    }

    void EnterTvOut(const std::array<TypedSize, 2>& pairs) {
        if (!form_.mnuTVORes.enabled)
            throw ActionFailed("\"TV-Out Resolutions...\" is disabled");
        form_.mnuTVORes_Click();
        frmTVORes& dialog = form_.tvores;
        dialog.txtW1 = pairs[0].width;
        dialog.txtH1 = pairs[0].height;
        dialog.txtW2 = pairs[1].width;
        dialog.txtH2 = pairs[1].height;
        dialog.cmdDone_Click();
        // Refused input: the user gives up and closes the dialog.
        if (dialog.loaded)
            dialog.Form_Close();
    }

    void EnterMonitorLimits(const std::array<std::string, 5>& boxes) {
        if (!form_.mnuMonitorLimits.enabled)
            throw ActionFailed("\"Monitor Limits...\" is disabled (no monitor found)");
        form_.mnuMonitorLimits_Click();
        frmLimits& dialog = form_.limits;
        if (boxes[0].empty()) {
            // Nothing set by hand: the monitor's own are in force already.
            if (dialog.cmdOwnEnabled)
                dialog.cmdOwn_Click();
        } else {
            dialog.txtHMin = boxes[0];
            dialog.txtHMax = boxes[1];
            dialog.txtVMin = boxes[2];
            dialog.txtVMax = boxes[3];
            dialog.txtClock = boxes[4];
            dialog.cmdOK_Click();
        }
        // A refused write: the user gives up and closes the dialog.
        if (dialog.loaded)
            dialog.Form_Close();
    }

    std::deque<MsgAnswer> answers_;
    ConsoleMessages messages_;
    ConsoleBeeper beeper_;
    ConsoleClock clock_;
    NoScreenTester tester_;
    System system_;
    ProgramState state_;
    frmMain form_;
    TargetPc& pc_;
    TextWriter& out_;
    bool started_ = false;
};

}  // namespace

int RunConsole(const std::vector<std::string>& args, TextWriter& out, TextWriter& err) {
    // Words typed, paths and file texts alike: every error is one line.
    const auto complain = [&err](const std::string& text) { err << "tessaline: " << OneLine(text) << "\n"; };
    CommandLineError mistake;
    const auto line = ParseCommandLine(args, &mistake);
    if (line && line->help) {
        out << kConsoleUsage << "\n";
        return kExitOk;
    }
    if (line && line->version) {
        out << "Tessaline " TSLN_VERSION_TEXT "\n";
        return kExitOk;
    }
    std::unique_ptr<TargetPc> livePc = line && line->machine.empty() ? MakeLivePc() : nullptr;
    if (line && line->machine.empty() && !livePc)
        mistake = CommandLineError{"--machine DIR is required", true};
    if (!line || (line->machine.empty() && !livePc)) {
        complain(mistake.line);
        if (mistake.showUsage)
            err << kConsoleUsage << "\n";
        return kExitUsage;
    }

    std::string error;
    std::unique_ptr<TargetPc> pc = livePc ? std::move(livePc) : OpenProfilePc(line->machine, &error);
    if (!pc) {
        complain(error);
        return kExitUsage;
    }

    int status = kExitOk;
    try {
        Session session(*pc, *line, out);
        if (!Session::NeedsStart(line->actions) || session.Start()) {
            for (const Action& action : line->actions)
                session.Run(action);
        } else if (line->actions.empty()) {
            out << "(the program ended at start-up)\n";
        } else {
            // A script must not take the actions it asked for as done.
            complain("the program ended at start-up; no action ran");
            status = kExitEndedAtStartup;
        }
    } catch (const ActionFailed& e) {
        complain(e.what());
        status = e.status;
    }

    // Saved after a failed action too: debug.txt already holds what the
    // actions before it did, and a real PC would keep their registry writes.
    if (!pc->Save(&error)) {
        complain(error);
        return kExitFailed;
    }
    return status;
}

}  // namespace tsln
