#include "editor/mode_list_writer.h"

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

}  // namespace tsln
