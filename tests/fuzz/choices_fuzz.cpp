// The choices file reader: whatever the bytes, it refuses them with one line
// of text, or what it takes is written and read back unchanged.
#include <cstdio>
#include <cstdlib>

#include "choices/choices_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tsln;
    std::string error;
    const auto read = ReadChoices(std::string(reinterpret_cast<const char*>(data), size), "c.tsln", &error);
    SavedChoices saved;
    for (int row = 0; read && row < kResolutionCount; ++row)
        saved.rates[row] = read->rates[row].value_or(0) == 0 ? "N/A" : std::to_string(*read->rates[row]);
    for (int i = 0; read && i < 2; ++i)
        saved.tvOut[i] = read->tvOut[i].value_or(TvOutEntry{});
    const auto again = read ? ReadChoices(FormatChoices(saved), "c.tsln", &error) : std::nullopt;
    bool same = read ? again.has_value() : !error.empty() && error.find_first_of("\r\n") == std::string::npos;
    for (int row = 0; again && row < kResolutionCount; ++row)
        same = same && again->rates[row] == read->rates[row].value_or(0);
    for (int i = 0; again && i < 2; ++i)
        same = same && again->tvOut[i]->width + "x" + again->tvOut[i]->height ==
                           saved.tvOut[i].width + "x" + saved.tvOut[i].height;
    if (!same) {
        std::fprintf(stderr, "finding: %s\n", read ? "read back differently" : "an error not on one line");
        std::abort();
    }
    return 0;
}
