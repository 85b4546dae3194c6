// The mode-list checker: a list a builder produced from any rate labels and
// TV-Out entries the program can hold is always accepted, and the checker
// reads any text without stepping out of it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/mode_list_writer.h"
#include "modes/dimension.h"
#include "modes/list_check.h"
#include "tvout/tvout_texts.h"

namespace {

// What a rate label can hold: "N/A", a ladder rung, a selector's hertz, a
// rate the system reported (any 32-bit number), "0", or stray text.
std::string Caption(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 5)) {
        case 0:
            return "N/A";
        case 1:
            return tsln::kRateLadder[input.ConsumeIntegralInRange<std::size_t>(0, tsln::kRateLadder.size() - 1)];
        case 2:
            return std::to_string(input.ConsumeIntegralInRange(0, 240));
        case 3:
            return std::to_string(input.ConsumeIntegral<std::uint32_t>());
        case 4:
            return "0";
        default:
            return input.ConsumeRandomLengthString(8);
    }
}

// The dialog and the start-up read let only these into an entry.
std::string TvOutText(FuzzedDataProvider& input) {
    const std::string text = input.ConsumeRandomLengthString(5);
    return tsln::IsDimension(text) ? text : "";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const auto syntax = static_cast<tsln::ListSyntax>(input.ConsumeIntegralInRange(0, 2));
    tsln::RateCaptions captions;
    for (auto& caption : captions)
        caption = Caption(input);
    tsln::TvOutEntries entries;
    for (auto& entry : entries) {
        entry.width = TvOutText(input);
        entry.height = TvOutText(input);
    }
    const bool closeSegment = input.ConsumeBool();

    const std::string list = tsln::BuildModeList(syntax, captions, tsln::BuildTvOutFragments(entries, closeSegment));
    const tsln::ListCheck check = tsln::CheckModeList(list, syntax);
    if (!check.ok) {
        std::fprintf(stderr, "finding: built list refused: %s\n%s\n", check.reason.c_str(), list.c_str());
        std::abort();
    }

    const std::string rest = input.ConsumeRemainingBytesAsString();
    for (const auto any : {tsln::ListSyntax::Normal, tsln::ListSyntax::Compressed, tsln::ListSyntax::Mask}) {
        tsln::CheckModeList(rest, any);
    }
    return 0;
}
