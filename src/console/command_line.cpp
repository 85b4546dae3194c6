#include "console/command_line.h"

#include <cstdint>

#include "modes/number_text.h"
#include "modes/rate_rows.h"
#include "modes/resolutions.h"
#include "monitor/hand_limits.h"
#include "state/stamp.h"

namespace tsln {

const char kConsoleUsage[] =
    "usage: tessaline [--machine DIR] [--startup] [--yes|--no]... [--now \"YYYY-MM-DD HH:MM:SS\"] [ACTION]...\n"
    "       tessaline --help | --version\n"
    "actions: show, rates, advanced, rate WxH VALUE, quickset KHZ, quickset-defaults, apply, defaults,\n"
    "         tvout W1xH1 W2xH2 (- for an empty pair), load-on-start, show-value, undo,\n"
    "         monitor (the EDID report of the PC's monitor and the limits in force), fit-monitor,\n"
    "         monitor-limits KHZ1-KHZ2 HZ1-HZ2 [MHZ] (set by hand), monitor-limits auto (the monitor's own),\n"
    "         save FILE, load FILE (the rates and TV-Out resolutions as a choices file)\n"
    "without --machine, tessaline.exe runs on the Windows PC it is started on\n"
    "exit status: 0 done; 1 an action failed or showed an error (what ran before it is kept);\n"
    "             2 a mistake on the command line or in the profile (nothing ran), or a question with\n"
    "               no --yes/--no left; 3 the start-up ended the program, so no action ran";

namespace {

using Words = std::vector<std::string>;
using ArgumentReader = bool (*)(const Words& words, Action* action, std::string* error);

struct VerbEntry {
    const char* name;
    Verb verb;
    int argumentCount;
    ArgumentReader read;  // null: no arguments to check
    // A word that stands for all the arguments, such as "auto".
    const char* alone = nullptr;
    // One more argument may follow, a number: it starts with a digit, which
    // no action or option does.
    bool optionalNumber = false;
};

bool IsDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string MalformedResolution(const Action& action) {
    return "malformed resolution in \"" + action.typed + "\" (expected WIDTHxHEIGHT)";
}

// Both numbers are compared as typed, never narrowed: 4294968320x768 is no
// row, not 1024 x 768 wrapped around.
int RowOf(std::int64_t width, std::int64_t height) {
    for (int row = 0; row < kResolutionCount; ++row) {
        if (kRateRows[row].width == width && kRateRows[row].height == height)
            return row;
    }
    return -1;
}

// Which mode the selectors run in is known only once the program has read the
// driver's list; here a caption passes when either mode has it: "N/A", a rung
// of the ladder, or a whole number of hertz up to the selector's bound.
bool AnySelectorShows(int row, const std::string& caption) {
    if (caption == "N/A")
        return true;
    for (const char* rung : kRateLadder) {
        if (caption == rung)
            return true;
    }
    const auto hertz = IsDigits(caption) ? ParseWholeNumber(caption) : std::nullopt;
    return hertz && std::to_string(*hertz) == caption && *hertz >= 1 && *hertz <= kRateRows[row].maxValue;
}

bool ReadRate(const Words& words, Action* action, std::string* error) {
    const std::string& size = words[0];
    const auto x = size.find('x');
    const std::string width = x == std::string::npos ? "" : size.substr(0, x);
    const std::string height = x == std::string::npos ? "" : size.substr(x + 1);
    if (!IsDigits(width) || !IsDigits(height)) {
        *error = MalformedResolution(*action);
        return false;
    }
    const auto w = ParseWholeNumber(width);  // nothing beyond 64 bits: no row either
    const auto h = ParseWholeNumber(height);
    action->row = w && h ? RowOf(*w, *h) : -1;
    if (action->row < 0) {
        *error = "there is no row for " + size + " in \"" + action->typed + "\"";
        return false;
    }
    action->text = words[1];
    if (!AnySelectorShows(action->row, action->text)) {
        *error = "the selector of " + size + " cannot show \"" + action->text + "\"";
        return false;
    }
    return true;
}

// Any text: what the box does with one that is no frequency, or the program
// with a file it cannot read, is the program's own behaviour.
bool ReadText(const Words& words, Action* action, std::string*) {
    action->text = words[0];
    return true;
}

std::optional<TypedSize> ReadTypedSize(const std::string& text) {
    if (text == "-")
        return TypedSize{};
    const auto x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 == text.size())
        return std::nullopt;
    return TypedSize{text.substr(0, x), text.substr(x + 1)};
}

bool ReadTvOut(const Words& words, Action* action, std::string* error) {
    for (std::size_t i = 0; i < action->tvOut.size(); ++i) {
        const auto size = ReadTypedSize(words[i]);
        if (!size) {
            *error = MalformedResolution(*action);
            return false;
        }
        action->tvOut[i] = *size;
    }
    return true;
}

bool ReadMonitorLimits(const Words& words, Action* action, std::string* error) {
    if (words.size() == 1)
        return true;  // "auto"
    for (std::size_t i = 0; i < 2; ++i) {
        const auto range = ParseLimitRange(words[i]);
        if (!range) {
            *error = "malformed range \"" + words[i] + "\" in \"" + action->typed +
                     "\" (expected LOW-HIGH, whole numbers from " + std::to_string(kLowestLimit) + " to " +
                     std::to_string(kHighestLimit) + ", the lowest first)";
            return false;
        }
        action->limitBoxes[2 * i] = std::to_string(range->low);
        action->limitBoxes[2 * i + 1] = std::to_string(range->high);
    }
    if (words.size() == 3) {
        const auto clock = PixelClockNumber(words[2]);
        if (!clock) {
            *error = "malformed pixel clock \"" + words[2] + "\" in \"" + action->typed +
                     "\" (expected a whole number of MHz from 1 to " + std::to_string(kHighestPixelClock) + ")";
            return false;
        }
        action->limitBoxes[4] = std::to_string(*clock);
    }
    return true;
}

const VerbEntry kVerbs[] = {
    {"show", Verb::kShow, 0, nullptr},
    {"rates", Verb::kRates, 0, nullptr},
    {"advanced", Verb::kAdvanced, 0, nullptr},
    {"rate", Verb::kRate, 2, ReadRate},
    {"quickset", Verb::kQuickSet, 1, ReadText},
    {"quickset-defaults", Verb::kQuickSetDefaults, 0, nullptr},
    {"apply", Verb::kApply, 0, nullptr},
    {"defaults", Verb::kDefaults, 0, nullptr},
    {"tvout", Verb::kTvOut, 2, ReadTvOut},
    {"load-on-start", Verb::kLoadOnStart, 0, nullptr},
    {"show-value", Verb::kShowValue, 0, nullptr},
    {"undo", Verb::kUndo, 0, nullptr},
    {"monitor", Verb::kMonitor, 0, nullptr},
    {"fit-monitor", Verb::kFitMonitor, 0, nullptr},
    {"monitor-limits", Verb::kMonitorLimits, 2, ReadMonitorLimits, "auto", true},
    {"save", Verb::kSaveChoices, 1, ReadText},
    {"load", Verb::kLoadChoices, 1, ReadText},
};

const VerbEntry* FindVerb(const std::string& word) {
    for (const VerbEntry& entry : kVerbs) {
        if (word == entry.name)
            return &entry;
    }
    return nullptr;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// A moment the clock could show: the stamp it pins goes into the undo record,
// where a date such as 2025-02-30 would be taken for the program's own.
std::optional<DateTimeText> ReadNow(const std::string& text) {
    if (!IsStamp(text))
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t digits) {
        int value = 0;
        for (std::size_t i = at; i < at + digits; ++i)
            value = value * 10 + (text[i] - '0');
        return value;
    };
    const int year = number(0, 4), month = number(5, 2), day = number(8, 2);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || number(11, 2) > 23 ||
        number(14, 2) > 59 || number(17, 2) > 59) {
        return std::nullopt;
    }
    return DateTimeText{text.substr(0, 10), text.substr(11)};
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, CommandLineError* error) {
    CommandLine line;
    const auto fail = [&](std::string text, bool showUsage) {
        *error = CommandLineError{std::move(text), showUsage};
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasNext = i + 1 < args.size();
        if (arg == "--machine" || arg == "--now") {
            if (!hasNext)
                return fail(arg + " needs a value", true);
            const std::string& value = args[++i];
            if (arg == "--machine") {
                line.machine = value;
                continue;
            }
            line.now = ReadNow(value);
            if (!line.now)
                return fail("--now takes \"YYYY-MM-DD HH:MM:SS\", not \"" + value + "\"", false);
        } else if (arg == "--help" || arg == "-h" || arg == "/?" || arg == "--version") {
            // Asked what the program is: it answers and runs nothing, whatever follows.
            (arg == "--version" ? line.version : line.help) = true;
            return line;
        } else if (arg == "--startup") {
            line.startup = true;
        } else if (arg == "--yes" || arg == "--no") {
            line.answers.push_back(arg == "--yes" ? MsgAnswer::Yes : MsgAnswer::No);
        } else {
            const VerbEntry* entry = FindVerb(arg);
            if (!entry)
                return fail("unknown action or option \"" + arg + "\"", true);
            const bool alone = entry->alone != nullptr && hasNext && args[i + 1] == entry->alone;
            std::size_t count = alone ? 1 : static_cast<std::size_t>(entry->argumentCount);
            if (args.size() - i - 1 < count) {
                return fail(arg + " needs " + std::to_string(count) + " argument" + (count > 1 ? "s" : ""), false);
            }
            const std::size_t next = i + count + 1;
            if (!alone && entry->optionalNumber && next < args.size() && !args[next].empty() && args[next][0] >= '0' &&
                args[next][0] <= '9')
                ++count;
            const Words words(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                              args.begin() + static_cast<std::ptrdiff_t>(i + count) + 1);
            i += count;
            Action action;
            action.verb = entry->verb;
            action.typed = arg;
            for (const auto& word : words)
                action.typed += " " + word;
            std::string problem;
            if (entry->read && !entry->read(words, &action, &problem))
                return fail(problem, false);
            line.actions.push_back(std::move(action));
        }
    }
    // No --machine: the live PC, where there is one (RunConsole decides).
    return line;
}

}  // namespace tsln
