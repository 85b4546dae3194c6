// The console's command line: any words are read or refused whole, a rate
// names exactly the row whose numbers were typed, and one bad word anywhere
// refuses the line (up to a --help or --version, which ends it); limits taken
// are limits the dialog takes.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "console/command_line.h"
#include "modes/rate_rows.h"
#include "monitor/hand_limits.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& detail) {
    std::fprintf(stderr, "finding: %s: %s\n", what, detail.c_str());
    std::abort();
}

// The decimal digits as typed, without leading zeros: compared as text, so no
// conversion can wrap.
std::string Canonical(const std::string& digits) {
    const auto first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

void CheckRateRow(const tsln::Action& action) {
    if (action.row < 0 || action.row >= tsln::kResolutionCount)
        Fail("rate without a row", action.typed);
    const std::size_t start = 5;  // after "rate "
    const std::string size = action.typed.substr(start, action.typed.find(' ', start) - start);
    const auto x = size.find('x');
    if (x == std::string::npos)
        Fail("rate size without x", action.typed);
    const auto& row = tsln::kRateRows[action.row];
    if (Canonical(size.substr(0, x)) != std::to_string(row.width) ||
        Canonical(size.substr(x + 1)) != std::to_string(row.height)) {
        Fail("rate names another row", action.typed);
    }
}

void CheckLimits(const tsln::Action& action) {
    const auto& boxes = action.limitBoxes;
    if (action.typed == "monitor-limits auto")
        return;
    for (int i = 0; i < 4; i += 2) {
        const auto low = tsln::LimitNumber(boxes[i]);
        const auto high = tsln::LimitNumber(boxes[i + 1]);
        if (!low || !high || *low > *high)
            Fail("limits the dialog refuses", action.typed);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> args(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\0') {
            args.emplace_back();
        } else {
            args.back() += static_cast<char>(data[i]);
        }
    }
    tsln::CommandLineError error;
    const auto line = tsln::ParseCommandLine(args, &error);
    if (!line) {
        if (error.line.empty())
            Fail("refused without a reason", "");
        return 0;
    }
    if (line->help || line->version)
        return 0;
    for (const auto& action : line->actions) {
        if (action.verb == tsln::Verb::kRate)
            CheckRateRow(action);
        if (action.verb == tsln::Verb::kMonitorLimits)
            CheckLimits(action);
    }
    args.push_back("rate");
    args.push_back("1024x768");
    args.push_back("999");
    if (tsln::ParseCommandLine(args, &error))
        Fail("a bad last word was let through", "");
    return 0;
}
