// The undo record reader: whatever bytes stand in the record's value, what it
// takes names a mode list under the current control set, is kept again by
// SetUndo, and is exactly the bytes it was read from (nothing ignored, nothing
// read twice).
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/names.h"
#include "profile/memory_registry.h"
#include "settings/settings.h"

namespace {

const char kUndoKey[] = "SOFTWARE\\TSLN\\Undo";

[[noreturn]] void Fail(const char* what, const tsln::UndoRecord& record) {
    std::fprintf(stderr, "finding: %s: key \"%s\", value name \"%s\", saved \"%s\"\n", what, record.key.c_str(),
                 record.valueName.c_str(), record.saved.c_str());
    std::abort();
}

bool EndsWithName(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && tsln::SameName(text.substr(text.size() - end.size()), end);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    tsln::MemoryRegistry registry;
    registry.PutValue(registry.MakeKey(tsln::kHkeyLocalMachine, kUndoKey), "Record", tsln::kRegBinary, bytes);
    const auto record = tsln::Settings(registry).Undo();
    if (!record)
        return 0;
    if (!tsln::StartsWithName(record->key, "SYSTEM\\CurrentControlSet\\") ||
        !(EndsWithName(record->valueName, "_Modes") || EndsWithName(record->valueName, "_Modes_Delta"))) {
        Fail("a record aimed at something other than a mode list", *record);
    }
    tsln::MemoryRegistry again;
    if (!tsln::Settings(again).SetUndo(*record))
        Fail("a record read is not kept again", *record);
    const auto* key = again.FindKey(tsln::kHkeyLocalMachine, kUndoKey);
    const auto* kept = key != nullptr ? key->FindValue("Record") : nullptr;
    if (kept == nullptr || kept->data != bytes)
        Fail("a record kept again is not the bytes it was read from", *record);
    return 0;
}
