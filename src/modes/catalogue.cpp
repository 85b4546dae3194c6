#include "modes/catalogue.h"

#include <array>

#include "modes/default_lists.h"

namespace tsln {
namespace {

struct CatalogueRow {
    const char* description;
    const char* normalValue;
    NormalDefault normalDefault;
    const char* deltaValue;  // nullptr: the driver keeps no compressed list for it
    int maskList;
    int rangeList;
};

constexpr NormalDefault kStd = NormalDefault::Standard;

// Several descriptions share one chip and so one value name. The "MX-100/200"
// and plain "MX" spellings have no compressed entries on purpose: with the
// compressed format they count as unknown adapters.
constexpr std::array<CatalogueRow, 34> kCatalogue = {{
    {"NVIDIA GeForce3", "NV20_Modes", kStd, "NV20_Modes_Delta", 1, 1},
    {"NVIDIA GeForce2 GTS/GeForce2 Pro", "NV15_Modes", kStd, "NV15_Modes_Delta", 1, 1},
    {"NVIDIA RIVA TNT", "NV4_Modes", kStd, "NV4_Modes_Delta", 2, 2},
    {"NVIDIA RIVA TNT2/TNT2 Pro", "NV5_Modes", kStd, "NV5_Modes_Delta", 3, 1},
    {"NVIDIA Aladdin TNT2", "NV0A_Modes", kStd, "NV0A_Modes_Delta", 3, 1},
    {"NVIDIA Vanta/Vanta LT", "NVVANTA_Modes", kStd, "NVVANTA_Modes_Delta", 2, 3},
    {"NVIDIA RIVA TNT2 Ultra", "NV5ULTRA_Modes", kStd, "NV5ULTRA_Modes_Delta", 3, 1},
    {"NVIDIA RIVA TNT2 Model 64/Model 64 Pro", "NV5M64_Modes", kStd, "NV5M64_Modes_Delta", 3, 4},
    {"NVIDIA GeForce 256", "NV10_Modes", kStd, "NV10_Modes_Delta", 1, 1},
    {"NVIDIA GeForce DDR", "NV10DDR_Modes", kStd, "NV10DDR_Modes_Delta", 1, 1},
    {"NVIDIA Quadro", "NV10GL_Modes", kStd, "NV10GL_Modes_Delta", 1, 1},
    {"NVIDIA GeForce2 MX/MX 400", "NV11_Modes", kStd, "NV11_Modes_Delta", 4, 1},
    {"NVIDIA GeForce2 MX 100/200", "NV11DDR_Modes", kStd, "NV11DDR_Modes_Delta", 4, 1},
    {"NVIDIA GeForce2 MX-100/200", "NV11DDR_Modes", kStd, nullptr, 0, 0},
    {"NVIDIA GeForce2 MX", "NV11_Modes", kStd, nullptr, 0, 0},
    {"NVIDIA Quadro2 MXR/EX", "NV11GL_Modes", kStd, "NV11GL_Modes_Delta", 4, 1},
    {"NVIDIA GeForce2 Integrated GPU", "NV11M_Modes", NormalDefault::Integrated, "NV11M_Modes_Delta", 4, 1},
    {"NVIDIA GeForce2 Ti", "NV15DDR_Modes", kStd, "NV15DDR_Modes_Delta", 1, 1},
    {"NVIDIA GeForce2 Ultra", "NV15BR_Modes", kStd, "NV15BR_Modes_Delta", 1, 1},
    {"NVIDIA Quadro2 Pro", "NV15GL_Modes", kStd, "NV15GL_Modes_Delta", 1, 1},
    {"NVIDIA GeForce4 MX 460", "NV17_Modes", kStd, "NV17_Modes_Delta", 4, 1},
    {"NVIDIA GeForce4 MX 440", "NV17_Modes", kStd, "NV17_Modes_Delta", 4, 1},
    {"NVIDIA GeForce4 MX 420", "NV17_Modes", kStd, "NV17_Modes_Delta", 4, 1},
    {"NVIDIA Quadro4 500/550 XGL", "NV17GL_Modes", kStd, "NV17GL_Modes_Delta", 4, 1},
    {"NVIDIA Quadro4 200/400 NVS", "NV17GL_Modes", kStd, "NV17GL_Modes_Delta", 4, 1},
    {"NVIDIA GeForce4 Ti 4600", "NV25_Modes", kStd, "NV25_Modes_Delta", 4, 1},
    {"NVIDIA GeForce4 Ti 4400", "NV25_Modes", kStd, "NV25_Modes_Delta", 4, 1},
    {"NVIDIA GeForce4 Ti 4200", "NV25_Modes", kStd, "NV25_Modes_Delta", 4, 1},
    {"NVIDIA Quadro4 900 XGL", "NV25GL_Modes", kStd, "NV25GL_Modes_Delta", 4, 1},
    // Not a slip: these two Quadro4 boards keep the NV10GL value names.
    {"NVIDIA Quadro4 750 XGL", "NV10GL_Modes", kStd, "NV10GL_Modes_Delta", 1, 1},
    {"NVIDIA Quadro4 720 XGL", "NV10GL_Modes", kStd, "NV10GL_Modes_Delta", 1, 1},
    {"NVIDIA GeForce3 Ti 200", "NV20_1_Modes", kStd, "NV20_1_Modes_Delta", 1, 1},
    {"NVIDIA GeForce3 Ti 500", "NV20_2_Modes", kStd, "NV20_2_Modes_Delta", 1, 1},
    {"NVIDIA Quadro DCC", "NV20_3_Modes", kStd, "NV20_3_Modes_Delta", 1, 1},
}};

// Exact and case-sensitive: the description is compared as the installer wrote it.
const CatalogueRow* FindRow(const std::string& description) {
    for (const CatalogueRow& row : kCatalogue) {
        if (description == row.description) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<AdapterModes> SelectAdapterModes(const std::string& description) {
    const CatalogueRow* row = FindRow(description);
    if (row == nullptr) {
        return std::nullopt;
    }
    return AdapterModes{row->normalValue, NormalDefaultList(row->normalDefault)};
}

std::optional<AdapterModes> SelectAdapterDeltaModes(const std::string& description, bool maskModeFormat) {
    const CatalogueRow* row = FindRow(description);
    if (row == nullptr || row->deltaValue == nullptr) {
        return std::nullopt;
    }
    return AdapterModes{row->deltaValue,
                        maskModeFormat ? MaskDefaultList(row->maskList) : RangeDefaultList(row->rangeList)};
}

const char* ModeListValueName(std::size_t index) {
    if (index / 2 >= kCatalogue.size())
        return nullptr;
    const CatalogueRow& row = kCatalogue[index / 2];
    return index % 2 == 1 && row.deltaValue != nullptr ? row.deltaValue : row.normalValue;
}

}  // namespace tsln
