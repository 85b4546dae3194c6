// The .reg reader: any bytes are refused cleanly or read, and what is read,
// written and read again is the same, in both file versions. The monitor's
// EDID is looked up in what was read: whatever the keys hold, every key the
// lookup opens is closed again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "monitor/monitor_lookup.h"
#include "profile/reg_file.h"

namespace {

void Mismatch(const char* what, const std::string& first, const std::string& second) {
    std::fprintf(stderr, "finding: %s\n--- first\n%s\n--- second\n%s\n", what, first.c_str(), second.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tsln::MemoryRegistry registry;
    std::string error;
    if (!tsln::LoadRegFile(text, registry, &error))
        return 0;

    for (const char* id : {"MONITOR\\SAM0108\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000", "MONITOR\\A\\B"}) {
        if (const auto edid = tsln::FindMonitorEdid(registry, id))
            tsln::ReadEdid(*edid);
    }
    if (registry.OpenHandleCount() != 0)
        Mismatch("the monitor lookup left keys open", std::to_string(registry.OpenHandleCount()), "0");

    const std::string saved = tsln::SaveRegFile(registry);
    for (const auto format : {tsln::RegFileFormat::kVersion5, tsln::RegFileFormat::kRegedit4}) {
        const std::string written = format == tsln::RegFileFormat::kVersion5 ? saved : SaveRegFile(registry, format);
        tsln::MemoryRegistry again;
        if (!tsln::LoadRegFile(written, again, &error))
            Mismatch(("written file refused: " + error).c_str(), written, "");
        const std::string resaved = tsln::SaveRegFile(again);
        if (resaved != saved)
            Mismatch("read, written and read again differs", saved, resaved);
    }
    return 0;
}
