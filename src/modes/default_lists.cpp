#include "modes/default_lists.h"

#include <array>
#include <string>

#include "modes/normal_row.h"
#include "modes/resolutions.h"

namespace tsln {
namespace {

// Highest rate of each normal-list row, for depths 8, 16 and 32; a row lists
// every ladder rate from 60 up to it.
struct DefaultRow {
    int width;
    int height;
    std::array<int, 3> standard;
    std::array<int, 3> integrated;
};

// clang-format off
constexpr std::array<DefaultRow, 19> kDefaultRows = {{
    {640, 480, {120, 120, 120}, {100, 100, 100}},
    {320, 200, {75, 75, 75}, {75, 75, 75}},
    {320, 240, {75, 75, 75}, {75, 75, 75}},
    {400, 300, {75, 75, 75}, {75, 75, 75}},
    {480, 360, {75, 75, 75}, {75, 75, 75}},
    {512, 384, {75, 75, 75}, {75, 75, 75}},
    {640, 400, {120, 120, 120}, {100, 100, 100}},
    {800, 600, {120, 120, 120}, {100, 100, 100}},
    {1024, 768, {120, 120, 120}, {100, 100, 100}},
    {1152, 864, {120, 120, 120}, {100, 100, 100}},
    {1280, 768, {120, 120, 120}, {100, 100, 100}},
    {1280, 960, {120, 120, 120}, {100, 100, 100}},
    {1280, 1024, {120, 120, 120}, {100, 100, 100}},
    {1600, 1024, {100, 100, 85}, {100, 100, 100}},
    {1600, 1200, {100, 100, 85}, {100, 100, 100}},
    {1920, 1080, {100, 100, 75}, {100, 100, 100}},
    {1920, 1200, {85, 85, 70}, {100, 100, 100}},
    {1920, 1440, {75, 75, 60}, {100, 100, 100}},
    {2048, 1536, {60, 60, 60}, {100, 100, 60}},
}};
// clang-format on

constexpr int kDepths[] = {8, 16, 32};

int RungOf(int hertz) {
    int rung = 0;
    while (std::stoi(kRateLadder[rung]) != hertz) {
        ++rung;
    }
    return rung;
}

std::string BuildNormalDefault(NormalDefault kind) {
    const bool integrated = kind == NormalDefault::Integrated;
    std::string list;
    for (int block = 0; block < 3; ++block) {
        bool afterNarrowJoinRow = false;
        for (const DefaultRow& row : kDefaultRows) {
            if (!list.empty()) {
                // The integrated driver's list really has these two one-space
                // joins; "Set Defaults" must give back exactly what it installed.
                list += afterNarrowJoinRow ? " " : "  ";
            }
            const int highest = integrated ? row.integrated[block] : row.standard[block];
            list += NormalRowHead(kDepths[block], row.width, row.height);
            list += RateFieldRun(0, RungOf(highest));
            list += kRowTerminator;
            afterNarrowJoinRow = integrated && block > 0 && row.width == 1280 && row.height == 960;
        }
    }
    return list;
}

}  // namespace

const std::string& NormalDefaultList(NormalDefault kind) {
    static const std::string standard = BuildNormalDefault(NormalDefault::Standard);
    static const std::string integrated = BuildNormalDefault(NormalDefault::Integrated);
    return kind == NormalDefault::Integrated ? integrated : standard;
}

// Function-local so that no other static initializer can see them unbuilt.
const std::string& MaskDefaultList(int number) {
    static const std::array<std::string, 4> lists = {
        "S 2048x1536x32=1; 800x600 848x480=1DFF; 1920x1080x32 1920x1200x32 1920x1440x8,16=1F;"
        " 640x480 1024x768x8,16=1FFF; 1280x720x32 1280x768x32 1280x960x32 1280x1024x32 1360x768x32=2FF;"
        " 1600x1024x32 1600x1200x32 1920x1080x8,16 1920x1200x8,16=3F; 1600x900x8,16=3FF; 1152x864x32=6FF;"
        " 1600x900x32 1600x1024x8,16 1600x1200x8,16=7F;"
        " 1280x720x8,16 1280x768x8,16 1280x960x8,16 1280x1024x8,16 1360x768x8,16=7FF; 1920x1440x32=B;"
        " 320x200 320x240 400x300=F; S 480x360 512x384 640x400 2048x1536x8,16=F;"
        " 1024x768x32 1152x864x8,16=FFF;",
        "S 1920x1200x32=1; 800x600=1DFF; 1600x1024x8,16 1600x1200x8,16 1920x1080x8,16=1F; 640x480=1FFF;"
        " 1280x1024x32=3F; 1152x864x8,16=3FF; 1920x1080x32=7; 1280x1024x8,16=7F; 1024x768=7FF;"
        " 320x200 320x240 400x300 480x360 512x384 640x400 1600x1024x32 1600x1200x32 1920x1200x8,16=F;"
        " 1152x864x32=FF;",
        "S 1920x1440x32 2048x1536x8,16=1; 800x600=1DFF;"
        " 1600x900x32 1600x1024x32 1600x1200x32 1920x1200x8,16=1F; 640x480=1FFF; 1152x864x32=2FF;"
        " 1920x1200x32=3; 1600x1024x8,16 1600x1200x8,16 1920x1080x8,16=3F;"
        " 1280x720x8,16 1280x768x8,16 1280x960x8,16 1280x1024x8,16=3FF;"
        " 1280x720x32 1280x768x32 1280x960x32 1280x1024x32 1600x900x8,16=7F; 1024x768x32 1152x864x8,16=7FF;"
        " 320x200 320x240 400x300 480x360 512x384 640x400 1920x1080x32 1920x1440x8,16=F; S 1024x768x8,16=FFF;",
        "S 320x200 320x240 400x300 480x360 512x384 640x400=F;SHV 2048x1536x32=1; 800x600 848x480=1DFF;"
        " 1920x1080x32 1920x1200x32 1920x1440x8,16=1F; 640x480 1024x768x8,16=1FFF;"
        " 1280x720x32 1280x768x32 1280x960x32 1280x1024x32 1360x768x32=2FF;"
        " 1600x1024x32 1600x1200x32 1920x1080x8,16 1920x1200x8,16=3F; 1600x900x8,16=3FF; 1152x864x32=6FF;"
        " 1600x900x32 1600x1024x8,16 1600x1200x8,16=7F;"
        " 1280x720x8,16 1280x768x8,16 1280x960x8,16 1280x1024x8,16 1360x768x8,16=7FF; SHV 1920x1440x32=B;"
        " 2048x1536x8,16=F; 1024x768x32 1152x864x8,16=FFF;",
    };
    return lists.at(number - 1);
}

const std::string& RangeDefaultList(int number) {
    static const std::array<std::string, 4> lists = {
        "S 1600,900,-16,120;1600,900,32,100-;1600,1024,-16,120;1600,1024,32,100-;1600,1200,-16,120;"
        "1600,1200,32,100-;1920,1080,-16,120;1920,1080,32,85-;1920,1200,-16,100-;1920,1200,32,72-;"
        "1920,1440,-16,85-;1920,1440,32,70-;2048,1536,-16,70-;2048,1536,32,-",
        "S 1280,768,-,-;1280,960,-,-;1280,1024,32,120;1600,900,-16,100-;1600,900,32,85-;1600,1024,-16,100-;"
        "1600,1024,32,85-;1600,1200,-16,100-;1600,1200,32,85-;1920,1080,-16,100-;1920,1080,32,75-;"
        "1920,1200,-16,85-;1920,1200,32,70-;1920,1440,-,-;2048,1536,-,-",
        "S 1280,768,-,-;1280,960,-,-;1280,1024,32,120;1600,900,-16,100-;1600,900,32,85-;1600,1024,-16,100-;"
        "1600,1024,32,85-;1600,1200,-16,100-;1600,1200,32,85-;1920,1080,-16,100-;1920,1080,32,70-;"
        "1920,1200,-16,85-;1920,1200,32,70-;1920,1440,-,-;2048,1536,-,-",
        "S 1600,900,-16,120;1600,900,32,100-;1600,1024,-16,120;1600,1024,32,100-;1600,1200,-16,120;"
        "1600,1200,32,100-;1920,1080,-16,120;1920,1080,32,85-;1920,1200,-16,100-;1920,1200,32,-;"
        "1920,1440,-16,85-;1920,1440,32,-;2048,1536,-16,70-;2048,1536,32,-",
    };
    return lists.at(number - 1);
}

}  // namespace tsln
