// The EDID reader on arbitrary bytes: taken as a block and as the contents of
// an EDID file (binary or hex text). Any input must give a report of five
// printable lines, then only "listed:" lines, or "no EDID".
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "monitor/edid.h"
#include "monitor/edid_file.h"
#include "monitor/edid_report.h"

namespace {

void CheckReport(const std::string& report) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < report.size(); ++i) {
        const char c = report[i];
        if (c == '\n') {
            ++lines;
            if (lines >= 5 && i + 1 < report.size() && report.compare(i + 1, 8, "listed: ") != 0)
                std::abort();
        } else if (c < 0x20 || c > 0x7E) {
            std::abort();
        }
    }
    if (lines < 5 && report != "no EDID\n")
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckReport(tsln::FormatEdidReport(tsln::ReadEdid(data, size)));
    const std::string contents(reinterpret_cast<const char*>(data), size);
    CheckReport(tsln::FormatEdidReport(tsln::ReadEdid(tsln::EdidFileBytes(contents))));
    return 0;
}
