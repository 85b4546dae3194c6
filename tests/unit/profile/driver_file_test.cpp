// The driver files a profile makes from NAME.version: read back by the PE
// reader the way start-up reads them, and refused with the file named when
// the version is not one.
#include "profile/driver_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/pe_version.h"

namespace tsln {
namespace {

TEST(DriverFile, CarriesItsVersionAsADisplayDriver) {
    FileVersionFields version{};
    std::string error;
    ASSERT_TRUE(ParseVersionText("\n 6.14.10.4523 \r\n\n", &version, &error)) << error;
    const std::vector<std::uint8_t> image = MakeDriverFile("nv4_disp.dll", "Stand-in", version);
    EXPECT_EQ(image, MakeDriverFile("nv4_disp.dll", "Stand-in", version));

    const std::vector<std::uint8_t> block = ExtractVersionResource(image.data(), image.size());
    FixedFileInfo info{};
    ASSERT_TRUE(ParseFixedFileInfo(block.data(), block.size(), &info));
    EXPECT_EQ(info.fileVersionMS, (6u << 16) | 14u);
    EXPECT_EQ(info.fileVersionLS, (10u << 16) | 4523u);
    EXPECT_EQ(info.productVersionLS, info.fileVersionLS);
    EXPECT_EQ(info.fileType, 3u);     // VFT_DRV
    EXPECT_EQ(info.fileSubtype, 4u);  // VFT2_DRV_DISPLAY

    ASSERT_TRUE(ParseVersionText("65535.0.32768.65535", &version, &error)) << error;
    const std::vector<std::uint8_t> high = MakeDriverFile("nv4.dll", "", version);
    const std::vector<std::uint8_t> highBlock = ExtractVersionResource(high.data(), high.size());
    ASSERT_TRUE(ParseFixedFileInfo(highBlock.data(), highBlock.size(), &info));
    EXPECT_EQ(info.fileVersionMS, 0xFFFF0000u);
    EXPECT_EQ(info.fileVersionLS, 0x8000FFFFu);
}

TEST(DriverFile, RefusesTextThatIsNoVersion) {
    const struct {
        const char* text;
        const char* error;
    } cases[] = {
        {"", "expected one line \"major.minor.build.private\", found \"\""},
        {"6.14.10", "expected one line \"major.minor.build.private\", found \"6.14.10\""},
        {"6.14.10.4523.1", "expected one line \"major.minor.build.private\", found \"6.14.10.4523.1\""},
        {"6.14.-10.4523", "expected one line \"major.minor.build.private\", found \"6.14.-10.4523\""},
        {"6.14.10.65536", "version field 65536 is above 65535"},
        {"6.14.10.4523\n6.14.10.4524", "expected exactly one line, the file version"},
    };
    for (const auto& c : cases) {
        FileVersionFields version{};
        std::string error;
        EXPECT_FALSE(ParseVersionText(c.text, &version, &error)) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
}

}  // namespace
}  // namespace tsln
