#pragma once
// The display modes of a machine profile (display-modes.txt).
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/system_api.h"

namespace tsln {

// Reads display-modes.txt: four whole numbers per line, "width height bpp hz",
// in enumeration order; "#" starts a comment, blank lines are skipped. False
// with "line N: ..." on the first bad line.
bool ParseDisplayModes(const std::string& text, std::vector<DisplayMode>* modes, std::string* error);

// EnumDisplaySettings over a fixed list, in its order.
class ModeListDisplayModes : public DisplayModeApi {
public:
    explicit ModeListDisplayModes(std::vector<DisplayMode> modes) : modes_(std::move(modes)) {}
    bool EnumDisplaySettings(std::uint32_t modeNum, DisplayMode* mode) override;
    const std::vector<DisplayMode>& Modes() const { return modes_; }

private:
    std::vector<DisplayMode> modes_;
};

}  // namespace tsln
