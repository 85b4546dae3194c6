#include "modes/catalogue.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "modes/default_lists.h"

namespace tsln {
namespace {

TEST(Catalogue, GeForce4Ti4600InAllThreeSyntaxes) {
    const std::optional<AdapterModes> normal = SelectAdapterModes("NVIDIA GeForce4 Ti 4600");
    ASSERT_TRUE(normal);
    EXPECT_EQ(normal->valueName, "NV25_Modes");
    EXPECT_EQ(normal->defaultList, NormalDefaultList(NormalDefault::Standard));

    const std::optional<AdapterModes> mask = SelectAdapterDeltaModes("NVIDIA GeForce4 Ti 4600", true);
    ASSERT_TRUE(mask);
    EXPECT_EQ(mask->valueName, "NV25_Modes_Delta");
    EXPECT_EQ(mask->defaultList, MaskDefaultList(4));

    const std::optional<AdapterModes> range = SelectAdapterDeltaModes("NVIDIA GeForce4 Ti 4600", false);
    ASSERT_TRUE(range);
    EXPECT_EQ(range->valueName, "NV25_Modes_Delta");
    EXPECT_EQ(range->defaultList, RangeDefaultList(1));
}

TEST(Catalogue, TwoMxSpellingsHaveOnlyANormalList) {
    const std::optional<AdapterModes> mx = SelectAdapterModes("NVIDIA GeForce2 MX");
    ASSERT_TRUE(mx);
    EXPECT_EQ(mx->valueName, "NV11_Modes");
    EXPECT_EQ(mx->defaultList, NormalDefaultList(NormalDefault::Standard));
    const std::optional<AdapterModes> mx100 = SelectAdapterModes("NVIDIA GeForce2 MX-100/200");
    ASSERT_TRUE(mx100);
    EXPECT_EQ(mx100->valueName, "NV11DDR_Modes");
    for (bool maskFormat : {false, true}) {
        EXPECT_FALSE(SelectAdapterDeltaModes("NVIDIA GeForce2 MX", maskFormat));
        EXPECT_FALSE(SelectAdapterDeltaModes("NVIDIA GeForce2 MX-100/200", maskFormat));
    }
    // The spelling with a blank instead of the hyphen does have compressed entries.
    const std::optional<AdapterModes> mxBlank = SelectAdapterDeltaModes("NVIDIA GeForce2 MX 100/200", false);
    ASSERT_TRUE(mxBlank);
    EXPECT_EQ(mxBlank->valueName, "NV11DDR_Modes_Delta");
}

TEST(Catalogue, TntModel64UsesRangeListFour) {
    const std::optional<AdapterModes> modes = SelectAdapterDeltaModes("NVIDIA RIVA TNT2 Model 64/Model 64 Pro", false);
    ASSERT_TRUE(modes);
    EXPECT_EQ(modes->valueName, "NV5M64_Modes_Delta");
    EXPECT_EQ(modes->defaultList, RangeDefaultList(4));
}

TEST(Catalogue, IntegratedGpuGetsTheIntegratedNormalList) {
    const std::optional<AdapterModes> modes = SelectAdapterModes("NVIDIA GeForce2 Integrated GPU");
    ASSERT_TRUE(modes);
    EXPECT_EQ(modes->valueName, "NV11M_Modes");
    EXPECT_EQ(modes->defaultList, NormalDefaultList(NormalDefault::Integrated));
    EXPECT_EQ(modes->defaultList.substr(0, 41), "8    640  480   60 70 72 75 85 100      0");
}

TEST(Catalogue, Quadro4SevenHundredsKeepTheNv10GlNames) {
    for (const char* description : {"NVIDIA Quadro4 750 XGL", "NVIDIA Quadro4 720 XGL"}) {
        SCOPED_TRACE(description);
        ASSERT_TRUE(SelectAdapterModes(description));
        EXPECT_EQ(SelectAdapterModes(description)->valueName, "NV10GL_Modes");
        ASSERT_TRUE(SelectAdapterDeltaModes(description, true));
        EXPECT_EQ(SelectAdapterDeltaModes(description, true)->valueName, "NV10GL_Modes_Delta");
        EXPECT_EQ(SelectAdapterDeltaModes(description, true)->defaultList, MaskDefaultList(1));
    }
}

TEST(Catalogue, OnlyTheExactDescriptionMatches) {
    for (const char* description : {"", "nvidia geforce3", "NVIDIA GeForce3 ", " NVIDIA GeForce3", "NVIDIA GeForce",
                                    "NVIDIA GEFORCE3", "NVIDIA GeForce3\t", "NVIDIA  GeForce3"}) {
        SCOPED_TRACE(description);
        EXPECT_FALSE(SelectAdapterModes(description));
        EXPECT_FALSE(SelectAdapterDeltaModes(description, false));
        EXPECT_FALSE(SelectAdapterDeltaModes(description, true));
    }
    EXPECT_FALSE(SelectAdapterModes(std::string("NVIDIA GeForce3\0", 16)));
}

// Every row, transcribed a second time, so a slip in either copy shows.
struct Row {
    const char* description;
    const char* normalValue;
    NormalDefault normalDefault;
    const char* deltaValue;
    int maskList;
    int rangeList;
};

constexpr NormalDefault kStd = NormalDefault::Standard;

const Row kRows[] = {
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
    {"NVIDIA Quadro4 750 XGL", "NV10GL_Modes", kStd, "NV10GL_Modes_Delta", 1, 1},
    {"NVIDIA Quadro4 720 XGL", "NV10GL_Modes", kStd, "NV10GL_Modes_Delta", 1, 1},
    {"NVIDIA GeForce3 Ti 200", "NV20_1_Modes", kStd, "NV20_1_Modes_Delta", 1, 1},
    {"NVIDIA GeForce3 Ti 500", "NV20_2_Modes", kStd, "NV20_2_Modes_Delta", 1, 1},
    {"NVIDIA Quadro DCC", "NV20_3_Modes", kStd, "NV20_3_Modes_Delta", 1, 1},
};

TEST(Catalogue, AllThirtyFourRows) {
    static_assert(sizeof kRows / sizeof kRows[0] == 34);
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.description);
        const std::optional<AdapterModes> normal = SelectAdapterModes(row.description);
        ASSERT_TRUE(normal);
        EXPECT_EQ(normal->valueName, row.normalValue);
        EXPECT_EQ(normal->defaultList, NormalDefaultList(row.normalDefault));

        const std::optional<AdapterModes> mask = SelectAdapterDeltaModes(row.description, true);
        const std::optional<AdapterModes> range = SelectAdapterDeltaModes(row.description, false);
        if (row.deltaValue == nullptr) {
            EXPECT_FALSE(mask);
            EXPECT_FALSE(range);
            continue;
        }
        ASSERT_TRUE(mask);
        ASSERT_TRUE(range);
        EXPECT_EQ(mask->valueName, row.deltaValue);
        EXPECT_EQ(range->valueName, row.deltaValue);
        EXPECT_EQ(mask->defaultList, MaskDefaultList(row.maskList));
        EXPECT_EQ(range->defaultList, RangeDefaultList(row.rangeList));
    }
}

}  // namespace
}  // namespace tsln
