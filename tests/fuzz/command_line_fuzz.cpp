// The console's command line: any words are read or refused whole, a rate
// names exactly the row whose numbers were typed, a time given with --now is
// one the calendar has, and one bad word anywhere refuses the line (up to a
// --help or --version, which ends it).
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "console/command_line.h"
#include "modes/rate_rows.h"

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

// The C library's calendar as the second opinion: a real moment survives the
// round trip through seconds unchanged, a 30 February or 24:00 does not.
void CheckNow(const tsln::DateTimeText& now) {
    const std::string text = now.date + " " + now.time;
    std::tm fields{};
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &fields.tm_year, &fields.tm_mon, &fields.tm_mday,
                    &fields.tm_hour, &fields.tm_min, &fields.tm_sec) != 6) {
        Fail("--now in another form", text);
    }
    fields.tm_year -= 1900;
    fields.tm_mon -= 1;
    const std::tm asked = fields;
    const std::time_t seconds = timegm(&fields);
    std::tm back{};
    if (asked.tm_year < -1899 || !gmtime_r(&seconds, &back) || back.tm_year != asked.tm_year ||
        back.tm_mon != asked.tm_mon || back.tm_mday != asked.tm_mday || back.tm_hour != asked.tm_hour ||
        back.tm_min != asked.tm_min || back.tm_sec != asked.tm_sec) {
        Fail("--now took a moment the calendar does not have", text);
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
    if (line->now)
        CheckNow(*line->now);
    for (const auto& action : line->actions) {
        if (action.verb == tsln::Verb::kRate)
            CheckRateRow(action);
    }
    args.push_back("rate");
    args.push_back("1024x768");
    args.push_back("999");
    if (tsln::ParseCommandLine(args, &error))
        Fail("a bad last word was let through", "");
    return 0;
}
