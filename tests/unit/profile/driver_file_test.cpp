// The driver files a profile makes from NAME.version. Their versions, read the
// way start-up reads them, are checked on every shipped profile in
// machine_profile_test.cpp; here, what the file says it is, and the texts that
// are no version.
#include "profile/driver_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "profile/pe_version.h"

namespace tsln {
namespace {

TEST(DriverFile, IsADisplayDriverAndRefusesTextThatIsNoVersion) {
    const std::vector<std::uint8_t> image = MakeDriverFile("nv4.dll", "", {65535, 0, 32768, 4523});
    const std::vector<std::uint8_t> block = ExtractVersionResource(image.data(), image.size());
    FixedFileInfo info{};
    ASSERT_TRUE(ParseFixedFileInfo(block.data(), block.size(), &info));
    EXPECT_EQ(info.fileVersionMS, 0xFFFF0000u);
    EXPECT_EQ(info.fileVersionLS, 0x800011ABu);
    EXPECT_EQ(info.fileType, 3u);     // VFT_DRV
    EXPECT_EQ(info.fileSubtype, 4u);  // VFT2_DRV_DISPLAY

    const char* const kExpected = "expected one line \"major.minor.build.private\", found ";
    const struct {
        const char* text;
        std::string error;
    } cases[] = {
        {"6.14.10", kExpected + std::string("\"6.14.10\"")},
        {"6.14.-10.4523", kExpected + std::string("\"6.14.-10.4523\"")},
        {"6.14.10.4523.1", kExpected + std::string("\"6.14.10.4523.1\"")},
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
