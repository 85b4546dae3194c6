// The undo record: the one place that knows how it is laid out in the registry
// and what may be in it.
#include <algorithm>
#include <vector>

#include "modes/catalogue.h"
#include "platform/key_closer.h"
#include "platform/names.h"
#include "platform/registry_helpers.h"
#include "settings/settings.h"
#include "state/stamp.h"

namespace tsln {

const char kWindows2000DriverKey[] = "SYSTEM\\CurrentControlSet\\Services\\nv\\Device0";

namespace {

const char kUndoKey[] = "SOFTWARE\\TSLN\\Undo";
// One REG_BINARY value, which a single RegSetValueEx replaces whole: no power
// cut can leave part of one record beside part of another. It holds "TSU1",
// then the key, the value name and the stamp, each as a byte count and the
// bytes, then the value before and the value written, each as existed (0 or
// 1), type, byte count and the bytes; every number 32 bits, little-endian.
const char kRecord[] = "Record";
const char kMagic[] = "TSU1";
// Earlier versions kept the record in these six values, written one after the
// other, so a cut could leave them naming one value and holding another's
// bytes. They are never read, and go once a new record is kept.
const char* const kOldValues[] = {"Key", "ValueName", "Existed", "Type", "Data", "Saved"};
// A mode list is a few KB. A record much larger was not written by the
// program, and reading it would slow every start.
constexpr std::uint32_t kMaxRecordSize = 64 * 1024;

void PutNumber(std::vector<std::uint8_t>& out, std::size_t n) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
}

void PutBytes(std::vector<std::uint8_t>& out, const void* bytes, std::size_t size) {
    PutNumber(out, size);
    out.insert(out.end(), static_cast<const std::uint8_t*>(bytes), static_cast<const std::uint8_t*>(bytes) + size);
}

void PutValue(std::vector<std::uint8_t>& out, const StoredValue& value) {
    PutNumber(out, value.found ? 1 : 0);
    PutNumber(out, value.type);
    PutBytes(out, value.data.data(), value.data.size());
}

std::vector<std::uint8_t> Encode(const UndoRecord& record) {
    std::vector<std::uint8_t> out(kMagic, kMagic + 4);
    for (const std::string* text : {&record.key, &record.valueName, &record.saved})
        PutBytes(out, text->data(), text->size());
    PutValue(out, record.before);
    PutValue(out, record.written);
    return out;
}

// Reads the fields in order; any count that runs past the end fails it.
class Fields {
public:
    Fields(const std::vector<std::uint8_t>& bytes, std::size_t at) : bytes_(bytes), at_(at) {}

    bool Number(std::uint32_t* n) {
        if (bytes_.size() - at_ < 4)
            return false;
        *n = 0;
        for (int i = 0; i < 4; ++i)
            *n |= static_cast<std::uint32_t>(bytes_[at_++]) << (8 * i);
        return true;
    }
    bool Text(std::string* out) {
        std::uint32_t size = 0;
        if (!Number(&size) || size > bytes_.size() - at_)
            return false;
        out->assign(reinterpret_cast<const char*>(bytes_.data() + at_), size);
        at_ += size;
        return true;
    }
    bool Value(StoredValue* value) {
        std::uint32_t existed = 0;
        std::string data;
        if (!Number(&existed) || existed > 1 || !Number(&value->type) || !Text(&data))
            return false;
        // An absent value has neither: a side that claims both was not written
        // by the program, and an undo to it could never read back as done.
        if (existed == 0 && (value->type != kRegNone || !data.empty()))
            return false;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(data.data());
        value->data.assign(bytes, bytes + data.size());
        value->found = existed == 1;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_;
};

// The keys a display driver keeps its mode lists in, as Windows 2000 and the
// XP device map name them.
bool IsDisplayDriverKey(const std::string& key) {
    const std::string videoKey = "SYSTEM\\CurrentControlSet\\Control\\Video\\";
    return SameName(key, kWindows2000DriverKey) ||
           (StartsWithName(key, videoKey) &&
            FitsShape(key.substr(videoKey.size()), "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}\\dddd"));
}

bool IsModeListValueName(const std::string& name) {
    for (std::size_t i = 0; ModeListValueName(i) != nullptr; ++i) {
        if (SameName(name, ModeListValueName(i)))
            return true;
    }
    return false;
}

// The record decides where an undo writes, so it may only ever name a mode
// list; a record aimed at a Run entry or at the driver's own settings is none.
bool IsRecord(const UndoRecord& record) {
    return IsDisplayDriverKey(record.key) && IsModeListValueName(record.valueName) && IsStamp(record.saved);
}

}  // namespace

std::optional<UndoRecord> Settings::Undo() const {
    const StoredValue stored = ReadStoredValue(registry_, kUndoKey, kRecord, kMaxRecordSize);
    if (!stored.found || stored.type != kRegBinary || stored.data.size() < 4 ||
        !std::equal(kMagic, kMagic + 4, stored.data.begin())) {
        return std::nullopt;
    }
    Fields fields(stored.data, 4);
    UndoRecord record;
    if (!fields.Text(&record.key) || !fields.Text(&record.valueName) || !fields.Text(&record.saved) ||
        !fields.Value(&record.before) || !fields.Value(&record.written) || !fields.AtEnd() || !IsRecord(record)) {
        return std::nullopt;
    }
    return record;
}

bool Settings::SetUndo(const UndoRecord& record) {
    const std::vector<std::uint8_t> bytes = Encode(record);
    if (!IsRecord(record) || bytes.size() > kMaxRecordSize)
        return false;
    RegHandle key = 0;
    if (registry_.CreateKey(kHkeyLocalMachine, kUndoKey, &key) != kErrorSuccess)
        return false;
    {
        KeyCloser closer(registry_, key);
        registry_.SetValueEx(key, kRecord, kRegBinary, bytes.data(), static_cast<std::uint32_t>(bytes.size()));
    }
    const auto stored = Undo();
    if (!stored || !(*stored == record))
        return false;
    for (const char* name : kOldValues)
        RegDeleteValue(registry_, kHkeyLocalMachine, kUndoKey, name);
    return true;
}

void Settings::ClearUndo() {
    RegDeleteValue(registry_, kHkeyLocalMachine, kUndoKey, kRecord);
}

}  // namespace tsln
