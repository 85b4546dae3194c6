#pragma once
// The console's command line, read and checked as a whole before anything
// runs: a mistake in the last word must not leave the first words half done.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "state/services.h"

namespace tsln {

extern const char kConsoleUsage[];

enum class Verb {
    kShow,
    kRates,
    kAdvanced,
    kRate,
    kQuickSet,
    kQuickSetDefaults,
    kApply,
    kDefaults,
    kTvOut,
    kLoadOnStart,
    kShowValue,
    kUndo,
    kMonitor,
    kFitMonitor,
    kMonitorLimits,
    kSaveChoices,
    kLoadChoices,
};

// A TV-Out pair as typed: the dialog has its own check and the console must
// not hide it. "-" gives two empty texts.
struct TypedSize {
    std::string width;
    std::string height;
};

struct Action {
    Verb verb = Verb::kShow;
    std::string typed;  // the words as given ("rate 1024x768 85"), for messages
    int row = -1;       // rate: the editor row
    std::string text;   // rate: the caption to reach; quickset: the kHz as typed; save, load: the file
    std::array<TypedSize, 2> tvOut{};
    // monitor-limits: what goes into the five boxes (kHz low, high, Hz low,
    // high, MHz, this one empty when not given); all empty for "auto".
    std::array<std::string, 5> limitBoxes{};
};

struct CommandLine {
    // --help (-h, /?) or --version: print that and run nothing.
    bool help = false;
    bool version = false;
    std::string machine;
    bool startup = false;
    std::vector<MsgAnswer> answers;  // --yes / --no in order
    std::optional<DateTimeText> now;
    std::vector<Action> actions;
};

struct CommandLineError {
    std::string line;  // one line, without "tessaline: "
    bool showUsage = false;
};

// args excludes the program's own name. Nothing, with the first mistake in
// *error, when any word is wrong.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args, CommandLineError* error);

}  // namespace tsln
