// The EDID reader and its printed form, on a real block and on broken ones:
// every input gives a report or "no EDID", never a read past its end.
#include "monitor/edid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "monitor/edid_file.h"
#include "monitor/edid_report.h"

namespace tsln {
namespace {

const char kSyncMasterReport[] =
    "pnp-id: SAM0108\nname: SyncMaster\nversion: 1.3\nchecksum: ok\n"
    "ranges: 50-160 Hz V, 30-85 kHz H, max dotclock 180 MHz\n";

std::vector<std::uint8_t> SyncMaster() {
    std::ifstream file(TSLN_EDID_DIR "/SAM0108-CF2E4499DB16.txt", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return EdidFileBytes(text.str());
}

// Up to the "listed:" lines, which edid-reference.sh checks against edid-decode.
std::string Report(const std::vector<std::uint8_t>& bytes) {
    const std::string report = FormatEdidReport(ReadEdid(bytes));
    return report.substr(0, report.find("listed: "));
}

void FixChecksum(std::vector<std::uint8_t>& block) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < 127; ++i)
        sum += block[i];
    block[127] = static_cast<std::uint8_t>(256 - sum % 256);
}

TEST(EdidReport, PrintsEveryItemOfARealMonitor) {
    std::vector<std::uint8_t> block = SyncMaster();
    ASSERT_EQ(block.size(), kEdidBlockSize);
    EXPECT_EQ(Report(block), kSyncMasterReport);
    EXPECT_EQ(ReadEdid(block)->serial, "H9LL903013");

    block[75] = block[93] = 0x10;  // the range and name descriptors become dummies
    FixChecksum(block);
    EXPECT_EQ(Report(block), "pnp-id: SAM0108\nname: -\nversion: 1.3\nchecksum: ok\nranges: none\n");
}

TEST(EdidReport, BrokenBlocks) {
    const std::vector<std::uint8_t> good = SyncMaster();
    EXPECT_EQ(Report({}), "no EDID\n");
    EXPECT_EQ(Report(std::vector<std::uint8_t>(good.begin(), good.end() - 1)), "no EDID\n");
    EXPECT_EQ(FormatEdidReport(ReadEdid(nullptr, 128)), "no EDID\n");
    std::vector<std::uint8_t> block = good;
    block[7] = 0x01;
    EXPECT_EQ(Report(block), "no EDID\n");

    // A wrong checksum is flagged, and the block still read.
    block = good;
    block[127] ^= 0x01;
    EXPECT_EQ(Report(block),
              "pnp-id: SAM0108\nname: SyncMaster\nversion: 1.3\nchecksum: bad\n"
              "ranges: 50-160 Hz V, 30-85 kHz H, max dotclock 180 MHz\n");

    // Extension blocks after the base block are not read, and cannot spoil it.
    block = good;
    block.resize(3 * kEdidBlockSize, 0xFF);
    EXPECT_EQ(Report(block), kSyncMasterReport);

    // Every descriptor a text or range descriptor full of garbage: the texts
    // stop at the first byte that is not printable, the report keeps its lines.
    for (std::uint8_t tag : {0xFC, 0xFD, 0xFF}) {
        block = std::vector<std::uint8_t>(good.begin(), good.end());
        for (std::size_t at = 54; at < 126; at += 18) {
            for (std::size_t i = 0; i < 18; ++i)
                block[at + i] = static_cast<std::uint8_t>(0x7D + at + i * 37);
            block[at] = block[at + 1] = block[at + 2] = 0;
            block[at + 3] = tag;
        }
        const std::string report = Report(block);
        EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 5) << report;
        for (char c : report)
            EXPECT_TRUE(c == '\n' || (c >= 0x20 && c <= 0x7E)) << report;
    }
}

TEST(EdidFile, BinaryAsItIsTextByItsFirstHexDump) {
    using Bytes = std::vector<std::uint8_t>;
    EXPECT_EQ(EdidFileBytes(std::string("\x00\xff\x41\n", 4)), (Bytes{0x00, 0xFF, 0x41, 0x0A}));
    // edid-decode's spaced bytes, with a blank line between two blocks and
    // Windows line ends; the dump ends at the first line of anything else.
    EXPECT_EQ(EdidFileBytes("edid-decode (hex):\n\n00 ff FF\r\n\n01 02\r\n----\n03 04\n"),
              (Bytes{0x00, 0xFF, 0xFF, 0x01, 0x02}));
    EXPECT_EQ(EdidFileBytes("EDID (hex):\n00ffff01\n0a\nBlock 0\n"), (Bytes{0x00, 0xFF, 0xFF, 0x01, 0x0A}));
    // Words that only look like hex in part, and odd digits, are no dump.
    EXPECT_EQ(EdidFileBytes("Checksum: 0x1e\nface 0ff\n"), Bytes{});
    EXPECT_EQ(EdidFileBytes(""), Bytes{});
}

}  // namespace
}  // namespace tsln
