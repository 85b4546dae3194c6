// The undo record: the one place that knows how it is laid out in the registry.
#include "platform/registry_helpers.h"
#include "settings/settings.h"

namespace tsln {
namespace {

const char kUndoKey[] = "SOFTWARE\\TSLN\\Undo";
const char kKey[] = "Key";
const char kValueName[] = "ValueName";
const char kExisted[] = "Existed";
const char kType[] = "Type";
const char kData[] = "Data";
const char kSaved[] = "Saved";

std::optional<std::uint32_t> ReadDword(RegistryApi& registry, const char* name) {
    const StoredValue stored = ReadStoredValue(registry, kUndoKey, name);
    if (!stored.found || stored.type != kRegDword || stored.data.size() != 4)
        return std::nullopt;
    return static_cast<std::uint32_t>(stored.data[0]) | static_cast<std::uint32_t>(stored.data[1]) << 8 |
           static_cast<std::uint32_t>(stored.data[2]) << 16 | static_cast<std::uint32_t>(stored.data[3]) << 24;
}

std::optional<std::string> ReadText(RegistryApi& registry, const char* name) {
    // A sentinel no stored text holds: a missing value is no record, while an empty one is.
    const std::string missing(1, '\x01');
    std::string text = RegGetString(registry, kHkeyLocalMachine, kUndoKey, name, missing);
    if (text == missing)
        return std::nullopt;
    return text;
}

}  // namespace

std::optional<UndoRecord> Settings::Undo() const {
    UndoRecord record;
    const auto key = ReadText(registry_, kKey);
    const auto valueName = ReadText(registry_, kValueName);
    const auto saved = ReadText(registry_, kSaved);
    const auto existed = ReadDword(registry_, kExisted);
    const auto type = ReadDword(registry_, kType);
    const StoredValue data = ReadStoredValue(registry_, kUndoKey, kData);
    if (!key || key->empty() || !valueName || !saved || !existed || *existed > 1 || !type || !data.found ||
        data.type != kRegBinary) {
        return std::nullopt;
    }
    record.key = *key;
    record.valueName = *valueName;
    record.saved = *saved;
    record.value.found = *existed == 1;
    if (record.value.found) {
        record.value.type = *type;
        record.value.data = data.data;
    } else if (*type != kRegNone || !data.data.empty()) {
        return std::nullopt;
    }
    return record;
}

bool Settings::SetUndo(const UndoRecord& record) {
    // "Key" goes first and comes back last, so a save that stops half-way
    // leaves no record that would put back the wrong bytes.
    RegDeleteValue(registry_, kHkeyLocalMachine, kUndoKey, kKey);
    RegSetString(registry_, kHkeyLocalMachine, kUndoKey, kValueName, record.valueName);
    RegSetDword(registry_, kHkeyLocalMachine, kUndoKey, kExisted, record.value.found ? 1 : 0);
    RegSetDword(registry_, kHkeyLocalMachine, kUndoKey, kType, static_cast<std::int32_t>(record.value.type));
    RestoreStoredValue(registry_, kUndoKey, kData, StoredValue{true, kRegBinary, record.value.data});
    RegSetString(registry_, kHkeyLocalMachine, kUndoKey, kSaved, record.saved);
    RegSetString(registry_, kHkeyLocalMachine, kUndoKey, kKey, record.key);
    const auto stored = Undo();
    return stored && *stored == record;
}

void Settings::ClearUndo() {
    for (const char* name : {kKey, kValueName, kExisted, kType, kData, kSaved})
        RegDeleteValue(registry_, kHkeyLocalMachine, kUndoKey, name);
}

}  // namespace tsln
