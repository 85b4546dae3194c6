// The choices file reader: whatever the bytes, it either refuses them with one
// line of text, or takes rates and TV-Out pairs the window can show and store,
// and what it took is written and read back unchanged.
#include <cstdio>
#include <cstdlib>

#include "choices/choices_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tsln;
    std::string error;
    const auto read = ReadChoices(std::string(reinterpret_cast<const char*>(data), size), "c.tsln", &error);
    if (!read) {
        if (error.empty() || error.find_first_of("\r\n") != std::string::npos) {
            std::fprintf(stderr, "finding: an error that is no single line: \"%s\"\n", error.c_str());
            std::abort();
        }
        return 0;
    }
    SavedChoices saved;
    for (int row = 0; row < kResolutionCount; ++row) {
        const int rate = read->rates[row].value_or(0);
        saved.rates[row] = rate == 0 ? "N/A" : std::to_string(rate);
    }
    for (int i = 0; i < 2; ++i) {
        saved.tvOut[i] = read->tvOut[i].value_or(TvOutEntry{});
        if (!saved.tvOut[i].width.empty() && !saved.tvOut[i].IsRow())
            std::abort();
    }
    const auto again = ReadChoices(FormatChoices(saved), "c.tsln", &error);
    bool same = again.has_value();
    for (int row = 0; same && row < kResolutionCount; ++row)
        same = again->rates[row] == read->rates[row].value_or(0);
    for (int i = 0; same && i < 2; ++i)
        same = again->tvOut[i]->width == saved.tvOut[i].width && again->tvOut[i]->height == saved.tvOut[i].height;
    if (!same) {
        std::fprintf(stderr, "finding: written and read back, the choices differ (%s)\n", error.c_str());
        std::abort();
    }
    return 0;
}
