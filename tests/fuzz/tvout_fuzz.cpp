// The TV-Out value predicate decides alone: a text it takes is kept by the
// start-up read and makes lists the checker accepts; a text it refuses is
// read as not stored. A journal of a cut change is read as exactly its text
// or not at all.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/mode_list_writer.h"
#include "modes/dimension.h"
#include "modes/list_check.h"
#include "platform/registry_helpers.h"
#include "profile/memory_registry.h"
#include "settings/settings.h"
#include "tvout/tvout_texts.h"

namespace {

[[noreturn]] void Fail(const char* what, const std::string& text, const std::string& detail) {
    std::fprintf(stderr, "finding: %s: \"%s\" %s\n", what, text.c_str(), detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const bool takes = tsln::IsDimension(text);

    // Registry strings end at their first NUL: store only what a value can hold.
    if (text.find('\0') == std::string::npos) {
        tsln::MemoryRegistry registry;
        tsln::Settings settings(registry);
        for (const char* name : {"ResW1", "ResH1"})
            tsln::RegSetString(registry, tsln::kHkeyLocalMachine, tsln::kTsLnKey, name, text);
        const bool kept = settings.TvOut()[0].IsRow();
        if (!text.empty() && kept != takes)
            Fail("the start-up read disagrees with the predicate", text, "");

        // The same text as the journal a cut change leaves, alone: read as exactly that text or not at all.
        tsln::MemoryRegistry cut;
        tsln::RegSetString(cut, tsln::kHkeyLocalMachine, tsln::kTsLnKey, "TvOutPending", text);
        const tsln::TvOutEntries e = tsln::Settings(cut).TvOut();
        const std::string read = e[0].width + "," + e[0].height + "," + e[1].width + "," + e[1].height;
        if (read != ",,," && read != text)
            Fail("a journal is read as another text", text, read);
    }
    if (!takes)
        return 0;

    tsln::TvOutEntries entries;
    entries[0] = {text, text};
    tsln::RateCaptions captions;
    captions.fill("60");
    for (const auto syntax : {tsln::ListSyntax::Normal, tsln::ListSyntax::Compressed}) {
        for (const bool close : {false, true}) {
            const std::string list = tsln::BuildModeList(syntax, captions, tsln::BuildTvOutFragments(entries, close));
            const tsln::ListCheck check = tsln::CheckModeList(list, syntax);
            if (!check.ok)
                Fail("a TV-Out value the predicate takes makes a refused list", text, check.reason);
        }
    }
    return 0;
}
