// The .reg reader: any bytes are refused cleanly or read, and what is read,
// written and read again is the same, in both file versions.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/reg_file.h"

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
