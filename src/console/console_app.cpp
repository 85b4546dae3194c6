#include "console/console_app.h"

#include <ctime>
#include <deque>
#include <iomanip>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>

#include "app/frm_main.h"
#include "app/program_state.h"
#include "editor/rate_rows.h"
#include "modes/number_text.h"
#include "profile/machine_profile.h"
#include "platform/registry_helpers.h"

namespace tsln {
namespace {

// A mistake found while the actions run (a question nobody answered, a rate
// the arrows cannot reach): reported like a command-line mistake.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Action {
    std::string name;
    std::vector<std::string> args;
};

struct Options {
    std::string machine;
    bool startup = false;
    std::deque<MsgAnswer> answers;
    std::optional<DateTimeText> now;
    std::vector<Action> actions;
};

const char kUsage[] =
    "usage: tessaline --machine DIR [--startup] [--yes|--no]... [--now \"YYYY-MM-DD HH:MM:SS\"] [ACTION]...\n"
    "actions: show, rates, advanced, rate WxH VALUE, quickset KHZ, quickset-defaults, apply, defaults,\n"
    "         tvout W1xH1 W2xH2 (- for an empty pair), load-on-start, show-value";

struct Size {
    std::string width;
    std::string height;
};

// "1024x768" -> {"1024", "768"}; "-" -> two empty texts. The parts are kept as
// typed: the TV-Out dialog has its own check and the console must not hide it.
std::optional<Size> ParseSize(const std::string& text, bool allowEmpty) {
    if (allowEmpty && text == "-") return Size{};
    const auto x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 == text.size()) return std::nullopt;
    return Size{text.substr(0, x), text.substr(x + 1)};
}

std::optional<DateTimeText> ParseNow(const std::string& text) {
    // YYYY-MM-DD HH:MM:SS
    static const char kShape[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != sizeof(kShape) - 1) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (kShape[i] == 'd' ? !digit : text[i] != kShape[i]) return std::nullopt;
    }
    return DateTimeText{text.substr(0, 10), text.substr(11)};
}

int ArgumentCount(const std::string& action) {
    if (action == "rate" || action == "tvout") return 2;
    if (action == "quickset") return 1;
    if (action == "show" || action == "rates" || action == "advanced" || action == "quickset-defaults" || action == "apply" ||
        action == "defaults" || action == "load-on-start" || action == "show-value") {
        return 0;
    }
    return -1;
}

std::optional<Options> ParseArgs(const std::vector<std::string>& args, std::ostream& err) {
    Options options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasNext = i + 1 < args.size();
        if (arg == "--machine" && hasNext) {
            options.machine = args[++i];
        } else if (arg == "--startup") {
            options.startup = true;
        } else if (arg == "--yes" || arg == "--no") {
            options.answers.push_back(arg == "--yes" ? MsgAnswer::Yes : MsgAnswer::No);
        } else if (arg == "--now" && hasNext) {
            options.now = ParseNow(args[++i]);
            if (!options.now) {
                err << "tessaline: --now takes \"YYYY-MM-DD HH:MM:SS\", not \"" << args[i] << "\"\n";
                return std::nullopt;
            }
        } else {
            const int count = ArgumentCount(arg);
            if (count < 0) {
                err << "tessaline: unknown action or option \"" << arg << "\"\n" << kUsage << "\n";
                return std::nullopt;
            }
            if (count > 0 && i + count >= args.size()) {
                err << "tessaline: " << arg << " needs " << count << " argument" << (count > 1 ? "s" : "") << "\n";
                return std::nullopt;
            }
            Action action{arg, std::vector<std::string>(args.begin() + i + 1, args.begin() + i + 1 + count)};
            i += count;
            const bool badSize = (action.name == "rate" && !ParseSize(action.args[0], false)) ||
                                 (action.name == "tvout" &&
                                  (!ParseSize(action.args[0], true) || !ParseSize(action.args[1], true)));
            if (badSize) {
                err << "tessaline: malformed resolution in \"" << arg;
                for (const auto& a : action.args) err << " " << a;
                err << "\" (expected WIDTHxHEIGHT)\n";
                return std::nullopt;
            }
            options.actions.push_back(action);
        }
    }
    if (options.machine.empty()) {
        err << "tessaline: --machine DIR is required\n" << kUsage << "\n";
        return std::nullopt;
    }
    return options;
}

class ConsoleMessages : public MessageBoxes {
public:
    ConsoleMessages(std::ostream& out, std::deque<MsgAnswer>& answers) : out_(out), answers_(answers) {}

    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon) override {
        if (buttons == MsgButtons::Ok) {
            out_ << "[Tessaline] " << text << "\n";
            return MsgAnswer::Ok;
        }
        if (answers_.empty()) throw UsageError("no --yes or --no left to answer \"" + text + "\"");
        const MsgAnswer answer = answers_.front();
        answers_.pop_front();
        out_ << "[Tessaline] " << text << " [" << (answer == MsgAnswer::Yes ? "Yes" : "No") << "]\n";
        return answer;
    }

private:
    std::ostream& out_;
    std::deque<MsgAnswer>& answers_;
};

class ConsoleBeeper : public Beeper {
public:
    explicit ConsoleBeeper(std::ostream& out) : out_(out) {}
    void Beep() override { out_ << "[beep]\n"; }

private:
    std::ostream& out_;
};

// The portable build has no regional settings: ISO date, 24-hour time.
class ConsoleClock : public Clock {
public:
    explicit ConsoleClock(std::optional<DateTimeText> pinned) : pinned_(std::move(pinned)) {}
    DateTimeText Now() override {
        if (pinned_) return *pinned_;
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        std::ostringstream date, time;
        date << std::put_time(&local, "%Y-%m-%d");
        time << std::put_time(&local, "%H:%M:%S");
        return {date.str(), time.str()};
    }

private:
    std::optional<DateTimeText> pinned_;
};

// The tester needs a screen; the console has none.
class NoScreenTester : public VsyncTester {
public:
    std::string Run(const VsyncTestParams&) override { return "The VSync test needs a screen"; }
};

std::string Flags(const MenuItem& item) {
    return std::string(item.enabled ? "enabled" : "disabled") + (item.checked ? ", checked" : "");
}

void PrintMainWindow(const frmMain& form, std::ostream& out) {
    out << "Tessaline v2.0\n";
    out << "OS Version:          " << form.lblOS << "\n";
    out << "Detonator Version:   " << form.lblDetVersion << "\n";
    out << "Device Description:  " << form.lblAdapters << "\n";
    // Two columns, as the window lays the rows out: 11 on the left, 12 on the right.
    constexpr int kLeftRows = 11;
    const auto cell = [&](int row) {
        std::ostringstream text;
        text << std::left << std::setw(13) << kRateRows[row].caption << std::setw(5) << form.editor.Caption(row);
        return text.str();
    };
    out << std::left << std::setw(13) << "Resolution" << std::setw(5) << "Hz"
        << "   " << std::setw(13) << "Resolution" << "Hz\n";
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
        out << "Quick set: " << (form.Text1.empty() ? "(empty)" : form.Text1) << " kHz, "
            << (form.quickSetEnabled ? "enabled" : "disabled") << "\n";
        out << form.Label50 << "\n";
    }
}

class Session {
public:
    Session(MachineProfile& profile, const Options& options, std::ostream& out)
        : answers_(options.answers),
          messages_(out, answers_),
          beeper_(out),
          clock_(options.now),
          system_{profile.Registry(),
                  profile.DisplayModes(),
                  profile.FileVersion(),
                  profile.Shell(),
                  profile.Files(),
                  messages_,
                  beeper_,
                  clock_,
                  profile.ProgramFolder(),
                  options.startup ? "/startup" : ""},
          form_(system_, state_, tester_),
          out_(out) {}

    // False when the program ended at start-up.
    bool Start() { return form_.Form_Load() == Outcome::Continue; }

    void Run(const Action& action) {
        const std::string& name = action.name;
        if (name == "show") {
            PrintMainWindow(form_, out_);
        } else if (name == "rates") {
            for (int row = 0; row < kResolutionCount; ++row) {
                out_ << kRateRows[row].caption << "=" << form_.editor.Caption(row) << "\n";
            }
        } else if (name == "advanced") {
            form_.Check1_Click();
        } else if (name == "rate") {
            MoveSelector(action.args[0], action.args[1]);
        } else if (name == "quickset") {
            RequireQuickSet();
            form_.Text1_Change(action.args[0]);
            form_.cmdCalc_Click();
        } else if (name == "quickset-defaults") {
            RequireQuickSet();
            form_.cmdCalcDef_Click();
        } else if (name == "apply") {
            form_.cmdApply_Click();
        } else if (name == "defaults") {
            form_.cmdReset_Click();
        } else if (name == "tvout") {
            EnterTvOut(action.args[0], action.args[1]);
        } else if (name == "load-on-start") {
            if (!form_.mnuLoad.enabled) throw UsageError("\"Load on Windows Start\" is disabled (switch on advanced)");
            form_.mnuLoad_Click();
        } else if (name == "show-value") {
            const std::string value = RegGetString(system_.registry, kHkeyLocalMachine, state_.DriverRegPath,
                                                   state_.ModesValueName, "");
            out_ << state_.ModesValueName << "=" << value << "\n";
        }
    }

private:
    void MoveSelector(const std::string& sizeText, const std::string& target) {
        const auto size = ParseSize(sizeText, false);
        const auto width = ParseWholeNumber(size->width);
        const auto height = ParseWholeNumber(size->height);
        const int row = width && height ? RowOfResolution(static_cast<int>(*width), static_cast<int>(*height)) : -1;
        if (row < 0) throw UsageError("no row for " + sizeText);
        if (form_.editor.Caption(row) == target) return;
        if (!form_.editor.SelectorOf(row).enabled) throw UsageError("the selector of " + sizeText + " is disabled");

        // The selector value that shows the target: its ladder index, or in
        // hertz the rate itself (0 for "N/A").
        std::optional<std::int64_t> goal;
        if (state_.MaskModeFormat) {
            goal = target == "N/A" ? std::optional<std::int64_t>(0) : ParseWholeNumber(target);
        } else {
            for (std::size_t i = 0; i < kRateLadder.size(); ++i) {
                if (target == kRateLadder[i]) goal = static_cast<std::int64_t>(i) + 1;
            }
        }
        const int maxValue = kRateRows[row].maxValue;
        if (!goal || *goal < 0 || *goal > maxValue) {
            throw UsageError("the selector of " + sizeText + " cannot show \"" + target + "\"");
        }
        while (form_.editor.Caption(row) != target) {
            const int value = form_.editor.SelectorOf(row).value;
            if (value == *goal) throw UsageError("the selector of " + sizeText + " cannot show \"" + target + "\"");
            form_.Selector_Arrow(row, value < *goal ? 1 : -1);
        }
    }

    void RequireQuickSet() {
        if (form_.heightTwips != kAdvancedViewTwips) throw UsageError("the quick set shows only in advanced mode");
        if (!form_.quickSetEnabled) throw UsageError("the quick set is disabled for this driver's list syntax");
    }

    void EnterTvOut(const std::string& first, const std::string& second) {
        if (!form_.mnuTVORes.enabled) throw UsageError("\"TV-Out Resolutions...\" is disabled");
        form_.mnuTVORes_Click();
        frmTVORes& dialog = form_.tvores;
        const Size one = *ParseSize(first, true);
        const Size two = *ParseSize(second, true);
        dialog.txtW1 = one.width;
        dialog.txtH1 = one.height;
        dialog.txtW2 = two.width;
        dialog.txtH2 = two.height;
        dialog.cmdDone_Click();
        // Refused input: the user gives up and closes the dialog.
        if (dialog.loaded) dialog.Form_Close();
    }

    std::deque<MsgAnswer> answers_;
    ConsoleMessages messages_;
    ConsoleBeeper beeper_;
    ConsoleClock clock_;
    NoScreenTester tester_;
    System system_;
    ProgramState state_;
    frmMain form_;
    std::ostream& out_;
};

}  // namespace

int RunConsole(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const auto options = ParseArgs(args, err);
    if (!options) return kExitUsage;

    std::string error;
    auto profile = MachineProfile::Load(options->machine, &error);
    if (!profile) {
        err << "tessaline: " << error << "\n";
        return kExitUsage;
    }

    try {
        Session session(*profile, *options, out);
        if (session.Start()) {
            for (const Action& action : options->actions) session.Run(action);
        } else {
            out << "(the program ended at start-up)\n";
        }
    } catch (const UsageError& e) {
        err << "tessaline: " << e.what() << "\n";
        return kExitUsage;
    }

    if (!profile->SaveRegistry(&error)) {
        err << "tessaline: " << error << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace tsln
