// The PE version reader on the DLLs the build makes (i686 PE32 and x86_64
// PE32+) and on damaged copies of them: a damaged file gives the right
// version or none, never a wrong one, and never a read outside the buffer
// (run under ASan/UBSan with -DTSLN_SANITIZE=ON to prove the latter).
#include "profile/pe_version.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "profile/host_file_version.h"

namespace tsln {
namespace {

using Image = std::vector<std::uint8_t>;

Image ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Image(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string VersionText(const FixedFileInfo& info) {
    return std::to_string(info.fileVersionMS >> 16) + "." + std::to_string(info.fileVersionMS & 0xFFFF) + "." +
           std::to_string(info.fileVersionLS >> 16) + "." + std::to_string(info.fileVersionLS & 0xFFFF);
}

// The whole road from file bytes to version text, as the program takes it.
std::optional<std::string> VersionOf(const Image& image) {
    const Image block = ExtractVersionResource(image.data(), image.size());
    FixedFileInfo info{};
    if (block.empty() || !ParseFixedFileInfo(block.data(), block.size(), &info))
        return std::nullopt;
    return VersionText(info);
}

std::uint16_t Get16(const Image& image, std::size_t at) {
    return static_cast<std::uint16_t>(image.at(at) | (image.at(at + 1) << 8));
}
std::uint32_t Get32(const Image& image, std::size_t at) {
    return Get16(image, at) | (Get16(image, at + 2) << 16);
}
void Put16(Image& image, std::size_t at, std::uint16_t value) {
    image.at(at) = static_cast<std::uint8_t>(value);
    image.at(at + 1) = static_cast<std::uint8_t>(value >> 8);
}
void Put32(Image& image, std::size_t at, std::uint32_t value) {
    Put16(image, at, static_cast<std::uint16_t>(value));
    Put16(image, at + 2, static_cast<std::uint16_t>(value >> 16));
}

// File offsets of the structures on the way to the version block of an
// intact test DLL, found independently of the reader so that the tests can
// damage each one on purpose.
struct Layout {
    std::size_t coff = 0;
    std::size_t optional = 0;
    std::uint16_t magic = 0;
    std::size_t directoryCount = 0;     // NumberOfRvaAndSizes
    std::size_t resourceDirectory = 0;  // data directory entry 2
    std::size_t sectionTable = 0;
    std::size_t rsrcSection = 0;  // its section header
    std::size_t root = 0;         // resource directory
    std::size_t versionEntry = 0;
    std::size_t nameDirectory = 0;
    std::size_t nameEntry = 0;
    std::size_t languageDirectory = 0;
    std::size_t languageEntry = 0;
    std::size_t dataEntry = 0;
    std::size_t block = 0;
    std::size_t blockSize = 0;
};

Layout FindLayout(const Image& image) {
    Layout l;
    l.coff = Get32(image, 0x3C) + 4;
    l.optional = l.coff + 20;
    l.magic = Get16(image, l.optional);
    const bool plus = l.magic == 0x20B;
    l.directoryCount = l.optional + (plus ? 108 : 92);
    l.resourceDirectory = l.optional + (plus ? 112 : 96) + 2 * 8;
    l.sectionTable = l.optional + Get16(image, l.coff + 16);
    const std::uint32_t resourceRva = Get32(image, l.resourceDirectory);
    for (std::size_t i = 0; i < Get16(image, l.coff + 2); ++i) {
        const std::size_t header = l.sectionTable + 40 * i;
        if (std::memcmp(&image.at(header), ".rsrc", 5) == 0)
            l.rsrcSection = header;
    }
    const std::uint32_t rsrcRva = Get32(image, l.rsrcSection + 12);
    const std::uint32_t rsrcRaw = Get32(image, l.rsrcSection + 20);
    auto offsetOf = [&](std::uint32_t rva) { return static_cast<std::size_t>(rva - rsrcRva + rsrcRaw); };
    l.root = offsetOf(resourceRva);
    const std::size_t rootEntries = Get16(image, l.root + 12) + Get16(image, l.root + 14);
    for (std::size_t i = 0; i < rootEntries; ++i) {
        if (Get32(image, l.root + 16 + 8 * i) == 16)
            l.versionEntry = l.root + 16 + 8 * i;
    }
    l.nameDirectory = l.root + (Get32(image, l.versionEntry + 4) & 0x7FFFFFFF);
    l.nameEntry = l.nameDirectory + 16;
    l.languageDirectory = l.root + (Get32(image, l.nameEntry + 4) & 0x7FFFFFFF);
    l.languageEntry = l.languageDirectory + 16;
    l.dataEntry = l.root + Get32(image, l.languageEntry + 4);
    l.block = offsetOf(Get32(image, l.dataEntry));
    l.blockSize = Get32(image, l.dataEntry + 4);
    return l;
}

struct TestFile {
    const char* path;
    const char* version;
    std::uint16_t magic;
};

const TestFile kTestFiles[] = {
    {TSLN_PE_TEST_DLL_I686, "40000.65535.1.4041", 0x10B},
    {TSLN_PE_TEST_DLL_X86_64, "32768.0.65535.61234", 0x20B},
};

class PeVersionTest : public ::testing::TestWithParam<TestFile> {
protected:
    void SetUp() override {
        image = ReadFileBytes(GetParam().path);
        ASSERT_GT(image.size(), 512u) << "test DLL missing or empty: " << GetParam().path;
        layout = FindLayout(image);
        ASSERT_EQ(layout.magic, GetParam().magic) << "the test DLL is not of the architecture it claims";
        ASSERT_NE(layout.versionEntry, 0u);
    }

    // Applies damage to a copy and checks that no wrong version comes out.
    std::optional<std::string> Damaged(void (*damage)(Image&, const Layout&)) const {
        Image copy = image;
        damage(copy, layout);
        const std::optional<std::string> version = VersionOf(copy);
        if (version) {
            EXPECT_EQ(*version, GetParam().version);
        }
        return version;
    }

    Image image;
    Layout layout;
};

TEST_P(PeVersionTest, ReadsTheVersionOfTheIntactFile) {
    EXPECT_EQ(VersionOf(image), std::optional<std::string>(GetParam().version));

    const Image block = ExtractVersionResource(image.data(), image.size());
    EXPECT_EQ(block.size(), layout.blockSize);
    FixedFileInfo info{};
    ASSERT_TRUE(ParseFixedFileInfo(block.data(), block.size(), &info));
    EXPECT_EQ(info.signature, kFixedFileInfoSignature);
    EXPECT_EQ(info.productVersionMS, info.fileVersionMS);
    EXPECT_EQ(info.productVersionLS, info.fileVersionLS);
    EXPECT_EQ(info.fileOS, 0x40004u);
    EXPECT_EQ(info.fileType, 3u);
    EXPECT_EQ(info.fileSubtype, 4u);
}

TEST_P(PeVersionTest, HostFileVersionActsLikeVersionDll) {
    HostFileVersion api;
    const std::uint32_t size = api.GetFileVersionInfoSize(GetParam().path);
    ASSERT_EQ(size, layout.blockSize);

    std::vector<std::uint8_t> block(size, 0xCD);
    ASSERT_TRUE(api.GetFileVersionInfo(GetParam().path, size, block.data()));
    EXPECT_TRUE(std::equal(block.begin(), block.end(), image.begin() + static_cast<std::ptrdiff_t>(layout.block)));
    FixedFileInfo info{};
    ASSERT_TRUE(api.QueryFixedFileInfo(block.data(), size, &info));
    EXPECT_EQ(VersionText(info), GetParam().version);

    // A buffer too small gets what fits, and then does not parse.
    std::vector<std::uint8_t> part(size / 2, 0xCD);
    ASSERT_TRUE(api.GetFileVersionInfo(GetParam().path, static_cast<std::uint32_t>(part.size()), part.data()));
    EXPECT_FALSE(api.QueryFixedFileInfo(part.data(), static_cast<std::uint32_t>(part.size()), &info));
    EXPECT_FALSE(api.GetFileVersionInfo(GetParam().path, 0, block.data()));
}

TEST_P(PeVersionTest, TruncatedFileGivesTheVersionOnlyWhenTheBlockIsWhole) {
    const std::size_t blockEnd = layout.block + layout.blockSize;
    for (std::size_t length = 0; length < image.size(); ++length) {
        // An exact-size copy, so that ASan sees any read past its end.
        const Image cut(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(length));
        const std::optional<std::string> version = VersionOf(cut);
        if (length < blockEnd) {
            EXPECT_FALSE(version) << "cut at " << length;
        } else {
            EXPECT_EQ(version, std::optional<std::string>(GetParam().version)) << "cut at " << length;
        }
    }
}

TEST_P(PeVersionTest, TruncatedBlockNeverParses) {
    const Image block = ExtractVersionResource(image.data(), image.size());
    for (std::size_t length = 0; length < block.size(); ++length) {
        const Image cut(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(length));
        FixedFileInfo info{};
        EXPECT_FALSE(ParseFixedFileInfo(cut.data(), cut.size(), &info)) << "cut at " << length;
    }
    EXPECT_FALSE(ParseFixedFileInfo(nullptr, 0, nullptr));
}

TEST_P(PeVersionTest, EveryChangedByteGivesTheVersionOrNone) {
    std::size_t stillRead = 0;
    for (std::size_t at = 0; at < image.size(); ++at) {
        for (std::uint8_t pattern : {std::uint8_t{0xFF}, std::uint8_t{0x80}, std::uint8_t{0x01}}) {
            Image copy = image;
            copy[at] ^= pattern;
            const std::optional<std::string> version = VersionOf(copy);
            if (!version)
                continue;
            ++stillRead;
            // A changed byte inside the version fields would give a wrong
            // version, which is what the file then says; everywhere else the
            // version must be the original or none.
            const std::size_t fields = layout.block + 40 + 8;
            if (at < fields || at >= fields + 8) {
                EXPECT_EQ(*version, GetParam().version) << "byte " << at << " ^ " << int(pattern);
            }
        }
    }
    // Most bytes (padding, code, strings) do not matter to the reader.
    EXPECT_GT(stillRead, image.size());
}

TEST_P(PeVersionTest, BrokenHeadersGiveNoVersion) {
    auto none = [this](const char* what, void (*damage)(Image&, const Layout&)) {
        EXPECT_FALSE(Damaged(damage)) << what;
    };
    none("no MZ", [](Image& i, const Layout&) { i[0] = 'X'; });
    none("e_lfanew far outside", [](Image& i, const Layout&) { Put32(i, 0x3C, 0xFFFFFFF0u); });
    none("e_lfanew at the last bytes",
         [](Image& i, const Layout&) { Put32(i, 0x3C, static_cast<std::uint32_t>(i.size() - 2)); });
    none("no PE signature", [](Image& i, const Layout& l) { i[l.coff - 4] = 'Q'; });
    none("unknown optional header magic", [](Image& i, const Layout& l) { Put16(i, l.optional, 0x107); });
    none("optional header too small for the resource entry",
         [](Image& i, const Layout& l) { Put16(i, l.coff + 16, 96); });
    none("optional header size runs past the file", [](Image& i, const Layout& l) { Put16(i, l.coff + 16, 0xFFFF); });
    none("only two data directories", [](Image& i, const Layout& l) { Put32(i, l.directoryCount, 2); });
    none("section count runs past the file", [](Image& i, const Layout& l) { Put16(i, l.coff + 2, 0xFFFF); });
    none("no sections", [](Image& i, const Layout& l) { Put16(i, l.coff + 2, 0); });
    none("no resource directory", [](Image& i, const Layout& l) { Put32(i, l.resourceDirectory, 0); });
    none("resource directory RVA at the top of the address space",
         [](Image& i, const Layout& l) { Put32(i, l.resourceDirectory, 0xFFFFFFF8u); });
}

TEST_P(PeVersionTest, SectionTablePointingOutsideGivesNoVersion) {
    auto none = [this](const char* what, void (*damage)(Image&, const Layout&)) {
        EXPECT_FALSE(Damaged(damage)) << what;
    };
    none("raw data beyond the file", [](Image& i, const Layout& l) { Put32(i, l.rsrcSection + 20, 0xFFFFFF00u); });
    none("raw data just past the end",
         [](Image& i, const Layout& l) { Put32(i, l.rsrcSection + 20, static_cast<std::uint32_t>(i.size())); });
    none("raw size zero", [](Image& i, const Layout& l) { Put32(i, l.rsrcSection + 16, 0); });
    none("section moved in memory",
         [](Image& i, const Layout& l) { Put32(i, l.rsrcSection + 12, Get32(i, l.rsrcSection + 12) + 0x10000); });
    none("virtual address wraps", [](Image& i, const Layout& l) {
        Put32(i, l.rsrcSection + 12, 0xFFFFF000u);
        Put32(i, l.rsrcSection + 8, 0xFFFFFFFFu);
        Put32(i, l.rsrcSection + 16, 0xFFFFFFFFu);
    });
    // Sizes far larger than the file: whatever lies in the file is read,
    // nothing beyond it.
    Damaged([](Image& i, const Layout& l) {
        Put32(i, l.rsrcSection + 8, 0xFFFFFFFFu);
        Put32(i, l.rsrcSection + 16, 0xFFFFFFFFu);
    });
}

TEST_P(PeVersionTest, BrokenResourceDirectoryGivesNoVersion) {
    auto none = [this](const char* what, void (*damage)(Image&, const Layout&)) {
        EXPECT_FALSE(Damaged(damage)) << what;
    };
    none("no RT_VERSION entry", [](Image& i, const Layout& l) { Put32(i, l.versionEntry, 17); });
    none("RT_VERSION as a named entry", [](Image& i, const Layout& l) { Put32(i, l.versionEntry, 0x80000010u); });
    none("RT_VERSION leads to data, not a directory",
         [](Image& i, const Layout& l) { Put32(i, l.versionEntry + 4, Get32(i, l.versionEntry + 4) & 0x7FFFFFFF); });
    none("RT_VERSION directory outside", [](Image& i, const Layout& l) { Put32(i, l.versionEntry + 4, 0xFFFFFFF0u); });
    none("empty name directory", [](Image& i, const Layout& l) {
        Put16(i, l.nameDirectory + 12, 0);
        Put16(i, l.nameDirectory + 14, 0);
    });
    none("empty language directory", [](Image& i, const Layout& l) {
        Put16(i, l.languageDirectory + 12, 0);
        Put16(i, l.languageDirectory + 14, 0);
    });
    none("language entry is a directory",
         [](Image& i, const Layout& l) { Put32(i, l.languageEntry + 4, Get32(i, l.languageEntry + 4) | 0x80000000u); });
    none("data entry outside", [](Image& i, const Layout& l) { Put32(i, l.languageEntry + 4, 0x7FFFFFF0); });
    none("data RVA outside", [](Image& i, const Layout& l) { Put32(i, l.dataEntry, 0xFFFFFFF0u); });
    none("data size beyond the file", [](Image& i, const Layout& l) { Put32(i, l.dataEntry + 4, 0xFFFFFFFFu); });
    none("data size zero", [](Image& i, const Layout& l) { Put32(i, l.dataEntry + 4, 0); });
}

TEST_P(PeVersionTest, ResourceDirectoryLoopsEnd) {
    auto none = [this](const char* what, void (*damage)(Image&, const Layout&)) {
        EXPECT_FALSE(Damaged(damage)) << what;
    };
    none("name directory is the root", [](Image& i, const Layout& l) { Put32(i, l.versionEntry + 4, 0x80000000u); });
    none("language directory is itself", [](Image& i, const Layout& l) {
        Put32(i, l.nameEntry + 4, static_cast<std::uint32_t>(0x80000000u | (l.nameDirectory - l.root)));
    });
    none("language entry points at its own directory", [](Image& i, const Layout& l) {
        Put32(i, l.languageEntry + 4, static_cast<std::uint32_t>(0x80000000u | (l.languageDirectory - l.root)));
    });
    none("every entry points at the root", [](Image& i, const Layout& l) {
        Put32(i, l.versionEntry + 4, 0x80000000u);
        Put32(i, l.nameEntry + 4, 0x80000000u);
        Put32(i, l.languageEntry + 4, 0x80000000u);
    });
    // Huge entry counts: the reader may find RT_VERSION before it runs out of
    // entries, but never reads past the section.
    Damaged([](Image& i, const Layout& l) {
        Put16(i, l.root + 12, 0xFFFF);
        Put16(i, l.root + 14, 0xFFFF);
    });
}

TEST_P(PeVersionTest, BrokenVersionBlockGivesNoVersion) {
    auto none = [this](const char* what, void (*damage)(Image&, const Layout&)) {
        EXPECT_FALSE(Damaged(damage)) << what;
    };
    none("wLength beyond the resource",
         [](Image& i, const Layout& l) { Put16(i, l.block, static_cast<std::uint16_t>(l.blockSize + 1)); });
    none("wLength 0xFFFF", [](Image& i, const Layout& l) { Put16(i, l.block, 0xFFFF); });
    none("wLength shorter than the fixed block", [](Image& i, const Layout& l) { Put16(i, l.block, 80); });
    none("no fixed block", [](Image& i, const Layout& l) { Put16(i, l.block + 2, 0); });
    none("fixed block too short", [](Image& i, const Layout& l) { Put16(i, l.block + 2, 48); });
    none("fixed block longer than the block", [](Image& i, const Layout& l) { Put16(i, l.block + 2, 0xFFFF); });
    none("wrong key", [](Image& i, const Layout& l) { i[l.block + 6] = 'W'; });
    none("key without its NUL", [](Image& i, const Layout& l) { i[l.block + 6 + 30] = 'X'; });
    none("wrong signature", [](Image& i, const Layout& l) { Put32(i, l.block + 40, 0xFEEF04BCu); });
}

INSTANTIATE_TEST_SUITE_P(BothArchitectures, PeVersionTest, ::testing::ValuesIn(kTestFiles),
                         [](const ::testing::TestParamInfo<TestFile>& p) {
                             return p.param.magic == 0x10B ? std::string("i686") : std::string("x86_64");
                         });

// A PE32 image whose resources lie in the last of sectionCount sections, the others small ones below it, with
// rootEntries entries in the root directory of which only the last is RT_VERSION, leading to block.
Image ManySectionImage(std::uint32_t sectionCount, std::uint32_t rootEntries, const Image& block) {
    constexpr std::size_t kPe = 0x40;
    constexpr std::size_t kOptional = kPe + 24;
    constexpr std::size_t kTable = kOptional + 224;
    constexpr std::uint32_t kResourceRva = 0x2000000;
    const std::size_t raw = (kTable + 40 * sectionCount + 0x1FF) & ~static_cast<std::size_t>(0x1FF);
    const std::uint32_t names = 16 + 8 * rootEntries;  // one directory each below, with one entry
    const std::uint32_t languages = names + 24;
    const std::uint32_t data = languages + 24;
    const std::uint32_t blockAt = data + 16;
    const std::uint32_t size = blockAt + static_cast<std::uint32_t>(block.size());

    Image image(raw + size, 0);
    Put16(image, 0, 0x5A4D);
    Put32(image, 0x3C, kPe);
    Put32(image, kPe, 0x4550);
    Put16(image, kPe + 4, 0x14C);
    Put16(image, kPe + 6, static_cast<std::uint16_t>(sectionCount));
    Put16(image, kPe + 20, 224);
    Put16(image, kOptional, 0x10B);
    Put32(image, kOptional + 92, 16);
    Put32(image, kOptional + 96 + 16, kResourceRva);
    Put32(image, kOptional + 96 + 20, size);
    for (std::uint32_t i = 0; i < sectionCount; ++i) {
        const std::size_t header = kTable + 40 * i;
        const bool last = i + 1 == sectionCount;
        Put32(image, header + 8, last ? size : 0x10);
        Put32(image, header + 12, last ? kResourceRva : 0x1000 + 0x10 * i);
        Put32(image, header + 16, last ? size : 0x10);
        Put32(image, header + 20, last ? static_cast<std::uint32_t>(raw) : 0);
    }
    Put16(image, raw + 14, static_cast<std::uint16_t>(rootEntries));
    for (std::uint32_t i = 0; i < rootEntries; ++i) {
        Put32(image, raw + 16 + 8 * i, i + 1 == rootEntries ? 16 : 1 + i % 15);
        Put32(image, raw + 20 + 8 * i, 0x80000000u | names);
    }
    Put16(image, raw + names + 14, 1);
    Put32(image, raw + names + 16, 1);
    Put32(image, raw + names + 20, 0x80000000u | languages);
    Put16(image, raw + languages + 14, 1);
    Put32(image, raw + languages + 16, 0x409);
    Put32(image, raw + languages + 20, data);
    Put32(image, raw + data, kResourceRva + blockAt);
    Put32(image, raw + data + 4, static_cast<std::uint32_t>(block.size()));
    std::copy(block.begin(), block.end(), image.begin() + static_cast<std::ptrdiff_t>(raw + blockAt));
    return image;
}

// What real files never need is refused, and what they may have costs one pass: 65,535 sections and root
// entries took 7.8 s when every lookup scanned every section.
TEST(PeVersionLimits, TheLoadersSectionLimitAndAWideRootDirectory) {
    const Image dll = ReadFileBytes(TSLN_PE_TEST_DLL_I686);
    const Image block = ExtractVersionResource(dll.data(), dll.size());
    ASSERT_FALSE(block.empty());

    EXPECT_EQ(VersionOf(ManySectionImage(1, 1, block)), "40000.65535.1.4041");
    EXPECT_EQ(VersionOf(ManySectionImage(96, 65535, block)), "40000.65535.1.4041");
    EXPECT_EQ(VersionOf(ManySectionImage(97, 1, block)), std::nullopt);
    EXPECT_EQ(VersionOf(ManySectionImage(65535, 65535, block)), std::nullopt);
}

TEST(PeVersionGarbage, RandomBytesGiveNoVersion) {
    std::mt19937 random(20240611);
    std::uniform_int_distribution<int> byte(0, 255);
    for (std::size_t size : {0u, 1u, 2u, 63u, 64u, 65u, 300u, 4096u}) {
        for (int round = 0; round < 50; ++round) {
            Image image(size);
            for (auto& b : image)
                b = static_cast<std::uint8_t>(byte(random));
            EXPECT_FALSE(VersionOf(image));
            // The same behind a believable MZ and PE header.
            if (size >= 0x100) {
                image[0] = 'M';
                image[1] = 'Z';
                Put32(image, 0x3C, 0x80);
                std::memcpy(&image[0x80], "PE\0\0", 4);
                Put16(image, 0x98, static_cast<std::uint16_t>(round % 2 ? 0x10B : 0x20B));
                EXPECT_FALSE(VersionOf(image));
            }
        }
    }
    EXPECT_TRUE(ExtractVersionResource(nullptr, 100).empty());
}

TEST(PeVersionGarbage, FilesThatAreNoDllGiveNoVersion) {
    const std::filesystem::path folder = std::filesystem::path(::testing::TempDir()) / "pe_version_files";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "text.dll") << "This is not a DLL at all.\n";
    std::ofstream(folder / "empty.dll");

    HostFileVersion api;
    for (const char* name : {"text.dll", "empty.dll", "missing.dll", ""}) {
        EXPECT_EQ(api.GetFileVersionInfoSize((folder / name).string()), 0u) << name;
        std::uint8_t buffer[64] = {};
        EXPECT_FALSE(api.GetFileVersionInfo((folder / name).string(), sizeof(buffer), buffer)) << name;
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tsln
