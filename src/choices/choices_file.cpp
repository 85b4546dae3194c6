#include "choices/choices_file.h"

#include <algorithm>

#include "modes/rate_rows.h"
#include "platform/names.h"
#include "platform/one_line.h"
#include "tsln_version.h"

namespace tsln {
namespace {

const char kCrLf[] = "\r\n";
const char* const kResolutionKeys[2] = {"Resolution1", "Resolution2"};
// Far above every selector's bound, so that a long number still loads as the bound.
constexpr int kHighestRate = 100000;

std::string Trim(const std::string& text) {
    const std::size_t begin = text.find_first_not_of(" \t");
    return begin == std::string::npos ? std::string() : text.substr(begin, text.find_last_not_of(" \t") + 1 - begin);
}

// "1024x768": a row's key in [Rates].
std::string RowKey(int row) {
    return std::to_string(kRateRows[row].width) + "x" + std::to_string(kRateRows[row].height);
}

// A piece of the file quoted in an error box: one line, and short.
std::string Quoted(const std::string& text) {
    constexpr std::size_t kLongest = 24;
    return "\"" + OneLine(text.size() > kLongest ? text.substr(0, kLongest) + "..." : text) + "\"";
}

std::optional<int> ReadRate(const std::string& value) {
    if (SameName(value, "N/A"))
        return 0;
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int rate = 0;
    for (const char c : value)
        rate = std::min(rate * 10 + (c - '0'), kHighestRate);
    return rate;
}

// Empty, or a pair the TV-Out dialog would store as a row.
std::optional<TvOutEntry> ReadResolution(const std::string& value) {
    if (value.empty())
        return TvOutEntry{};
    const std::size_t x = value.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    TvOutEntry entry{value.substr(0, x), value.substr(x + 1)};
    return entry.IsRow() ? std::optional<TvOutEntry>(entry) : std::nullopt;
}

// The line that starts at *at, without its CR LF or LF and the blanks around
// it; *at moves to the next one.
std::string NextLine(const std::string& text, std::size_t* at) {
    std::size_t end = text.find('\n', *at);
    end = end == std::string::npos ? text.size() : end;
    std::string line = text.substr(*at, end - *at);
    *at = end + 1;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return Trim(line);
}

bool IsSection(const std::string& line, const char* name) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']' &&
           SameName(Trim(line.substr(1, line.size() - 2)), name);
}

}  // namespace

std::string FormatChoices(const SavedChoices& choices) {
    std::string text = "; Tessaline choices, saved " + choices.stamp + kCrLf;
    text += "[Tessaline]\r\nVersion=" TSLN_VERSION_TEXT "\r\n";
    text += "Adapter=" + OneLine(choices.adapter) + kCrLf;
    text += "Monitor=" + OneLine(choices.monitor) + kCrLf;
    text += "\r\n[Rates]\r\n";
    for (int row = 0; row < kResolutionCount; ++row)
        text += RowKey(row) + "=" + choices.rates[row] + kCrLf;
    text += "\r\n[TV-Out]\r\n";
    for (int i = 0; i < 2; ++i) {
        const TvOutEntry& entry = choices.tvOut[i];
        text += std::string(kResolutionKeys[i]) + "=" + (entry.IsRow() ? entry.width + "x" + entry.height : "") + kCrLf;
    }
    return text;
}

std::optional<LoadedChoices> ReadChoices(const std::string& text, const std::string& fileName, std::string* error) {
    // Before any line is judged: a file of some other kind is named as that,
    // not by its first line that is no Name=Value.
    // Notepad saves with a byte order mark when asked for UTF-8.
    const std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    bool choicesFile = false;
    for (std::size_t at = start; at < text.size() && !choicesFile;)
        choicesFile = IsSection(NextLine(text, &at), "Tessaline");
    if (!choicesFile) {
        *error = fileName + " is not a Tessaline choices file (it has no [Tessaline] section).";
        return std::nullopt;
    }

    enum class Section { None, Rates, TvOut, Other };
    Section section = Section::None;
    LoadedChoices choices;
    std::size_t number = 0;
    for (std::size_t at = start; at < text.size();) {
        const std::string line = NextLine(text, &at);
        ++number;
        const auto fail = [&](const std::string& what) {
            *error = fileName + ", line " + std::to_string(number) + ": " + what;
            return std::nullopt;
        };
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                return fail("a section name ends in \"]\".");
            section = IsSection(line, "Rates")    ? Section::Rates
                      : IsSection(line, "TV-Out") ? Section::TvOut
                                                  : Section::Other;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos)
            return fail("expected [Section] or Name=Value, not " + Quoted(line) + ".");
        if (section == Section::None)
            return fail("Name=Value before the first [Section].");
        const std::string key = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));

        if (section == Section::Rates) {
            int row = 0;
            while (row < kResolutionCount && !SameName(key, RowKey(row)))
                ++row;
            if (row == kResolutionCount)
                return fail("there is no row for " + Quoted(key) + ".");
            if (choices.rates[row])
                return fail(RowKey(row) + " is named twice.");
            choices.rates[row] = ReadRate(value);
            if (!choices.rates[row])
                return fail("the rate for " + RowKey(row) + " must be a whole number or N/A.");
        } else if (section == Section::TvOut) {
            const int i = SameName(key, kResolutionKeys[0]) ? 0 : SameName(key, kResolutionKeys[1]) ? 1 : -1;
            if (i < 0)
                return fail("unknown key " + Quoted(key) + " in [TV-Out].");
            const std::string name = kResolutionKeys[i];
            if (choices.tvOut[i])
                return fail(name + " is named twice.");
            choices.tvOut[i] = ReadResolution(value);
            if (!choices.tvOut[i])
                return fail(name + " must be empty or WIDTHxHEIGHT, three or four digits each (for example 720x480).");
        }
        // [Tessaline] is for a person reading the file; other sections may be
        // a later version's.
    }
    return choices;
}

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace tsln
