// The undo record reader: whatever bytes stand in the record's value, what it
// takes names a mode list under the current control set and is exactly the
// bytes SetUndo writes for it (no byte ignored, none read twice).
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/names.h"
#include "profile/memory_registry.h"
#include "settings/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tsln;
    const char kUndoKey[] = "SOFTWARE\\TSLN\\Undo";
    const std::vector<std::uint8_t> bytes(data, data + size);
    MemoryRegistry registry;
    registry.PutValue(registry.MakeKey(kHkeyLocalMachine, kUndoKey), "Record", kRegBinary, bytes);
    const auto record = Settings(registry).Undo();
    if (!record)
        return 0;
    std::string name = record->valueName;
    for (char& c : name)
        c = FoldCase(c);
    const bool modeList = StartsWithName(record->key, "SYSTEM\\CurrentControlSet\\") &&
                          name.find("_modes") != std::string::npos && name.find('\\') == std::string::npos;
    MemoryRegistry again;
    const bool kept = Settings(again).SetUndo(*record) &&
                      again.FindKey(kHkeyLocalMachine, kUndoKey)->FindValue("Record")->data == bytes;
    if (!modeList || !kept) {
        std::fprintf(stderr, "finding: %s: key \"%s\", value name \"%s\"\n",
                     modeList ? "not kept again byte for byte" : "not a mode list", record->key.c_str(), name.c_str());
        std::abort();
    }
    return 0;
}
