#include "profile/display_mode_list.h"

#include <sstream>

#include "profile/text.h"

namespace tsln {

bool ParseDisplayModes(const std::string& text, std::vector<DisplayMode>* modes, std::string* error) {
    std::vector<DisplayMode> parsed;
    const std::vector<std::string> lines = SplitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::istringstream fields(WithoutComment(lines[i]));
        std::vector<std::string> words;
        for (std::string word; fields >> word;)
            words.push_back(word);
        if (words.empty())
            continue;

        const std::string where = "line " + std::to_string(i + 1) + ": ";
        if (words.size() != 4) {
            if (error)
                *error = where + "expected four numbers \"width height bpp hz\", found " + std::to_string(words.size());
            return false;
        }
        std::uint32_t numbers[4] = {};
        for (std::size_t n = 0; n < 4; ++n) {
            if (!ParseUnsigned32(words[n], &numbers[n])) {
                if (error)
                    *error = where + "\"" + words[n] + "\" is not a whole number from 0 to 4294967295";
                return false;
            }
        }
        DisplayMode mode;
        mode.width = numbers[0];
        mode.height = numbers[1];
        mode.bitsPerPel = numbers[2];
        mode.frequency = numbers[3];
        parsed.push_back(mode);
    }
    if (modes)
        *modes = std::move(parsed);
    return true;
}

bool ModeListDisplayModes::EnumDisplaySettings(std::uint32_t modeNum, DisplayMode* mode) {
    if (modeNum >= modes_.size())
        return false;
    if (mode)
        *mode = modes_[modeNum];
    return true;
}

}  // namespace tsln
