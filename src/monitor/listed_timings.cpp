#include "monitor/listed_timings.h"

#include "monitor/gtf.h"
#include "monitor/vesa_timings.h"

namespace tsln {
namespace {

constexpr std::size_t kEstablishedOffset = 35;
constexpr std::size_t kStandardOffset = 38;
constexpr std::size_t kStandardCount = 8;
constexpr std::size_t kDescriptorOffsets[] = {54, 72, 90, 108};

ListedTiming FromVesa(const VesaTiming& v) {
    return {v.width, v.height, v.interlaced, static_cast<int>(v.pixelClockKHz), v.totalPixels, v.totalLines};
}

// Bytes 35-36 and bit 7 of byte 37; the rest of byte 37 is the maker's own
// and names no mode.
void AddEstablished(const std::uint8_t* block, std::vector<ListedTiming>& listed) {
    for (std::size_t bit = 0; bit < kEstablishedCount; ++bit) {
        if (block[kEstablishedOffset + bit / 8] & (0x80 >> (bit % 8)))
            listed.push_back(FromVesa(kVesaTimings[bit]));
    }
}

// A mode VESA fixed is listed with its own timing; any other by the GTF, its
// clock rounded to the kHz, from EDID 1.2 on: earlier blocks predate the GTF,
// and edid-decode gives such a mode no timing.
void AddStandard(const std::uint8_t* block, int revision, std::vector<ListedTiming>& listed) {
    for (std::size_t i = 0; i < kStandardCount; ++i) {
        const std::uint8_t code = block[kStandardOffset + 2 * i], flags = block[kStandardOffset + 2 * i + 1];
        if (code <= 1)  // 0x01 0x01 is the unused slot; 0 names no width
            continue;
        const int width = (code + 31) * 8, rate = (flags & 0x3F) + 60;
        int height = 0;
        switch (flags >> 6) {
            case 0:
                height = revision < 3 ? width : width * 10 / 16;
                break;
            case 1:
                height = width * 3 / 4;
                break;
            case 2:
                height = width * 4 / 5;
                break;
            default:
                height = width * 9 / 16;
                break;
        }
        const VesaTiming* vesa = nullptr;
        for (std::size_t v = 0; v < kVesaTimingCount && vesa == nullptr; ++v) {
            const VesaTiming& t = kVesaTimings[v];
            if (t.standardRate == rate && t.width == width && t.height == height)
                vesa = &t;
        }
        if (vesa != nullptr) {
            listed.push_back(FromVesa(*vesa));
            continue;
        }
        if (revision < 2)
            continue;
        const GtfTiming gtf = Gtf(width, height, rate);
        const int clockKHz = static_cast<int>(gtf.pixelClockMHz * 1000 + 0.5);
        listed.push_back({width, height, false, clockKHz, gtf.totalPixels, gtf.totalLines});
    }
}

// A descriptor whose pixel clock is not 0. An interlaced one gives the lines
// of one field; the frame has both and the half line between them.
void AddDetailed(const std::uint8_t* block, std::vector<ListedTiming>& listed) {
    for (std::size_t offset : kDescriptorOffsets) {
        const std::uint8_t* d = block + offset;
        const int clockKHz = (d[0] | (d[1] << 8)) * 10;
        if (clockKHz == 0)
            continue;
        ListedTiming timing;
        timing.width = d[2] | ((d[4] & 0xF0) << 4);
        const int active = d[5] | ((d[7] & 0xF0) << 4);
        const int blank = d[6] | ((d[7] & 0x0F) << 8);
        timing.interlaced = (d[17] & 0x80) != 0;
        timing.height = timing.interlaced ? 2 * active : active;
        timing.totalLines = timing.interlaced ? 2 * (active + blank) + 1 : active + blank;
        timing.totalPixels = timing.width + (d[3] | ((d[4] & 0x0F) << 8));
        timing.pixelClockKHz = clockKHz;
        // A descriptor with no picture is broken and names no mode.
        if (timing.width > 0 && active > 0)
            listed.push_back(timing);
    }
}

// "91.146" for 91146.
std::string Thousandths(int scaled) {
    std::string fraction = std::to_string(scaled % 1000);
    fraction.insert(0, 3 - fraction.size(), '0');
    return std::to_string(scaled / 1000) + "." + fraction;
}

}  // namespace

double LineRateKHz(const ListedTiming& timing) {
    return static_cast<double>(timing.pixelClockKHz) / timing.totalPixels;
}

double RefreshHz(const ListedTiming& timing) {
    const double frames = LineRateKHz(timing) * 1000 / timing.totalLines;
    return timing.interlaced ? 2 * frames : frames;
}

int WholeRefreshHz(const ListedTiming& timing) {
    return static_cast<int>(RefreshHz(timing) + 0.5);
}

std::string ListedTimingText(const ListedTiming& timing) {
    std::string text = std::to_string(timing.width) + "x" + std::to_string(timing.height);
    if (timing.interlaced)
        text += 'i';
    text += " at " + std::to_string(WholeRefreshHz(timing)) + " Hz (" +
            Thousandths(static_cast<int>(LineRateKHz(timing) * 1000 + 0.5)) + " kHz, " +
            Thousandths(timing.pixelClockKHz) + " MHz)";
    return text;
}

std::vector<ListedTiming> ListedTimings(const std::uint8_t* block, int revision) {
    std::vector<ListedTiming> listed;
    AddEstablished(block, listed);
    AddStandard(block, revision, listed);
    AddDetailed(block, listed);
    return listed;
}

}  // namespace tsln
