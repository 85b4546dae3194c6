#include "editor/mode_list_writer.h"

#include "platform/registry_helpers.h"

namespace tsln {

std::string BuildModeList(ListSyntax syntax, const RateCaptions& captions, const TvOutFragments& tvOut) {
    switch (syntax) {
        case ListSyntax::Mask:
            // The mask syntax has no place for TV-Out entries.
            return BuildMaskList(captions);
        case ListSyntax::Compressed:
            return BuildCompressedList(captions, tvOut.compressed);
        case ListSyntax::Normal:
            break;
    }
    return BuildNormalList(captions, tvOut);
}

bool WriteModeList(RegistryApi& registry, const std::string& driverRegPath, const std::string& valueName,
                   const std::string& text) {
    RegSetString(registry, kHkeyLocalMachine, driverRegPath, valueName, text);
    // A sentinel default that no list can equal, so a missing value never
    // reads back as a match.
    const std::string sentinel(1, '\x01');
    return RegGetString(registry, kHkeyLocalMachine, driverRegPath, valueName, sentinel) == text;
}

}  // namespace tsln
