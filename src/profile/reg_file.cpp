#include "profile/reg_file.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "profile/text.h"

namespace tsln {
namespace {

constexpr char kHeader4[] = "REGEDIT4";
constexpr char kHeader5[] = "Windows Registry Editor Version 5.00";
// regedit wraps hex data once a line has reached this many characters (the backslash makes it 78).
constexpr std::size_t kHexWrapColumn = 77;
constexpr std::size_t kMaxKeyDepth = MemoryRegistry::kMaxKeyDepth;
constexpr std::size_t kMaxKeyNameLength = MemoryRegistry::kMaxKeyNameLength;

struct RootName {
    RegHandle root;
    const char* name;
};
// In the order they are saved: names sorted case-insensitively.
constexpr RootName kRoots[] = {{kHkeyCurrentUser, "HKEY_CURRENT_USER"}, {kHkeyLocalMachine, "HKEY_LOCAL_MACHINE"}};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// 1 to 8 hex digits, the whole text.
bool ParseHex32(const std::string& text, std::uint32_t* number) {
    if (text.empty() || text.size() > 8) {
        return false;
    }
    std::uint32_t result = 0;
    for (char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) {
            return false;
        }
        result = result << 4 | static_cast<std::uint32_t>(digit);
    }
    *number = result;
    return true;
}

// String data in hex form (hex(1), hex(2), hex(7)) is UTF-16LE in a version 5 file and single bytes in a
// REGEDIT4 file. A byte is one UTF-16 code unit (Latin-1), so the conversion keeps every byte, NULs and all.
bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

std::vector<std::uint8_t> ToUtf16(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> units;
    units.reserve(bytes.size() * 2);
    for (std::uint8_t byte : bytes) {
        units.push_back(byte);
        units.push_back(0);
    }
    return units;
}

std::string Escape(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\' || c == '"') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

class Parser {
public:
    Parser(const std::string& text, MemoryRegistry& registry) : registry_(registry), lines_(SplitLines(text)) {}

    bool Parse() {
        const std::string header = Trim(lines_[0]);
        if (header == kHeader4) {
            unicode_ = false;
        } else if (header == kHeader5) {
            unicode_ = true;
        } else {
            return Fail(0, "not a .reg file: the first line must be \"REGEDIT4\" or \"" + std::string(kHeader5) + "\"");
        }
        for (index_ = 1; index_ < lines_.size(); ++index_) {
            const std::string line = Trim(lines_[index_]);
            if (line.empty() || line[0] == ';') {
                continue;
            }
            const bool ok = line[0] == '[' ? ParseKey(line) : ParseValue(line);
            if (!ok) {
                return false;
            }
        }
        return true;
    }

    // Carried out only once the whole file has parsed, so a bad file leaves the registry as it was.
    void Apply() {
        for (Operation& op : operations_) {
            switch (op.kind) {
                case Operation::kMakeKey:
                    registry_.MakeKey(op.root, op.path);
                    break;
                case Operation::kDeleteKey:
                    registry_.DeleteKeyTree(op.root, op.path);
                    break;
                case Operation::kSetValue:
                    registry_.PutValue(registry_.MakeKey(op.root, op.path), op.name, op.type, std::move(op.data));
                    break;
                case Operation::kDeleteValue:
                    registry_.RemoveValue(registry_.MakeKey(op.root, op.path), op.name);
                    break;
            }
        }
    }

    const std::string& Error() const { return error_; }

private:
    struct Operation {
        enum Kind { kMakeKey, kDeleteKey, kSetValue, kDeleteValue } kind;
        RegHandle root;
        std::string path;
        std::string name;
        std::uint32_t type;
        std::vector<std::uint8_t> data;
    };

    bool Fail(std::size_t lineIndex, const std::string& message) {
        error_ = "line " + std::to_string(lineIndex + 1) + ": " + message;
        return false;
    }

    bool ParseKey(const std::string& line) {
        if (line.back() != ']') {
            return Fail(index_, "a key line must end with ']'");
        }
        std::string inner = line.substr(1, line.size() - 2);
        const bool remove = !inner.empty() && inner[0] == '-';
        if (remove) {
            inner.erase(0, 1);
        }
        const std::size_t slash = inner.find('\\');
        const std::string rootName = inner.substr(0, slash);
        const RootName* root = std::find_if(std::begin(kRoots), std::end(kRoots),
                                            [&](const RootName& known) { return SameName(rootName, known.name); });
        if (root == std::end(kRoots)) {
            return Fail(index_, "unknown root key \"" + rootName + "\"");
        }
        std::string path = slash == std::string::npos ? std::string() : inner.substr(slash + 1);
        if (slash != std::string::npos &&
            (path.empty() || path.back() == '\\' || path.find("\\\\") != std::string::npos)) {
            return Fail(index_, "empty key name in \"" + inner + "\"");
        }
        if (!CheckLimits(path)) {
            return false;
        }
        if (remove) {
            if (path.empty()) {
                return Fail(index_, "a root key cannot be deleted");
            }
            operations_.push_back(Operation{Operation::kDeleteKey, root->root, path, {}, 0, {}});
            haveKey_ = false;
        } else {
            operations_.push_back(Operation{Operation::kMakeKey, root->root, path, {}, 0, {}});
            haveKey_ = true;
            keyRoot_ = root->root;
            keyPath_ = path;
        }
        return true;
    }

    // Windows refuses such keys; refusing them here also bounds every walk over the tree.
    bool CheckLimits(const std::string& path) {
        std::size_t depth = 0;
        for (std::size_t start = 0; start < path.size();) {
            std::size_t end = path.find('\\', start);
            if (end == std::string::npos) {
                end = path.size();
            }
            if (end - start > kMaxKeyNameLength) {
                return Fail(index_, "a key name of " + std::to_string(end - start) + " characters (at most " +
                                        std::to_string(kMaxKeyNameLength) + ")");
            }
            if (++depth > kMaxKeyDepth) {
                return Fail(index_, "a key nested more than " + std::to_string(kMaxKeyDepth) + " levels deep");
            }
            start = end + 1;
        }
        return true;
    }

    // A quoted text starting at line[*at] == '"', with \\ and \" escapes; *at ends past the closing quote.
    bool ParseQuoted(const std::string& line, std::size_t* at, std::string* text) {
        text->clear();
        for (std::size_t i = *at + 1; i < line.size(); ++i) {
            if (line[i] == '"') {
                *at = i + 1;
                return true;
            }
            if (line[i] == '\\') {
                if (i + 1 < line.size() && (line[i + 1] == '\\' || line[i + 1] == '"')) {
                    *text += line[++i];
                    continue;
                }
                return Fail(index_, "unknown escape in \"" + line.substr(*at) + "\" (only \\\\ and \\\" are allowed)");
            }
            *text += line[i];
        }
        return Fail(index_, "missing closing quote");
    }

    bool ParseValue(const std::string& line) {
        const std::size_t valueLine = index_;
        std::string name;
        std::size_t at = 0;
        if (line[0] == '@') {
            at = 1;
        } else if (line[0] == '"') {
            if (!ParseQuoted(line, &at, &name)) {
                return false;
            }
        } else {
            return Fail(index_, "expected [key], \"name\"=value or @=value");
        }
        if (!haveKey_) {
            return Fail(index_, "value outside a key");
        }
        while (at < line.size() && IsBlank(line[at])) {
            ++at;
        }
        if (at == line.size() || line[at] != '=') {
            return Fail(index_, "expected '=' after the value name");
        }
        ++at;
        while (at < line.size() && IsBlank(line[at])) {
            ++at;
        }
        const std::string data = line.substr(at);

        Operation op{Operation::kSetValue, keyRoot_, keyPath_, name, kRegSz, {}};
        if (data == "-") {
            op.kind = Operation::kDeleteValue;
        } else if (!data.empty() && data[0] == '"') {
            std::size_t end = 0;
            std::string text;
            if (!ParseQuoted(data, &end, &text)) {
                return false;
            }
            if (end != data.size()) {
                return Fail(index_, "unexpected text after the closing quote");
            }
            op.data.assign(text.begin(), text.end());
            op.data.push_back(0);
        } else if (StartsWithName(data, "dword:")) {
            std::uint32_t number = 0;
            if (!ParseHex32(data.substr(6), &number)) {
                return Fail(index_, "dword: needs 1 to 8 hex digits");
            }
            op.type = kRegDword;
            op.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                       static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)};
        } else if (StartsWithName(data, "hex")) {
            if (!ParseHexValue(data, valueLine, &op)) {
                return false;
            }
        } else {
            return Fail(valueLine, "unrecognised value data \"" + data + "\"");
        }
        operations_.push_back(std::move(op));
        return true;
    }

    bool ParseHexValue(const std::string& data, std::size_t valueLine, Operation* op) {
        std::size_t colon = data.find(':');
        if (colon == std::string::npos) {
            return Fail(valueLine, "expected hex: or hex(type):");
        }
        const std::string kind = data.substr(0, colon);
        if (SameName(kind, "hex")) {
            op->type = kRegBinary;
        } else if (kind.size() > 5 && kind[3] == '(' && kind.back() == ')') {
            if (!ParseHex32(kind.substr(4, kind.size() - 5), &op->type)) {
                return Fail(valueLine, "bad type number in \"" + kind + "\"");
            }
        } else {
            return Fail(valueLine, "expected hex: or hex(type):");
        }

        // A trailing backslash continues the list on the next line.
        std::string list = Trim(data.substr(colon + 1));
        while (!list.empty() && list.back() == '\\') {
            list.pop_back();
            if (index_ + 1 >= lines_.size()) {
                return Fail(index_, "the hex data continues past the end of the file");
            }
            list += Trim(lines_[++index_]);
        }

        std::vector<std::uint8_t> bytes;
        if (!Trim(list).empty()) {
            std::size_t start = 0;
            while (true) {
                const std::size_t comma = list.find(',', start);
                const std::string token =
                    Trim(list.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
                std::uint32_t byte = 0;
                if (token.size() > 2 || !ParseHex32(token, &byte)) {
                    return Fail(valueLine, "bad hex byte \"" + token + "\"");
                }
                bytes.push_back(static_cast<std::uint8_t>(byte));
                if (comma == std::string::npos) {
                    break;
                }
                start = comma + 1;
            }
        }

        if (unicode_ && IsStringType(op->type)) {
            if (bytes.size() % 2 != 0) {
                return Fail(valueLine, "UTF-16 string data with an odd number of bytes");
            }
            for (std::size_t i = 0; i < bytes.size(); i += 2) {
                if (bytes[i + 1] != 0) {
                    return Fail(valueLine, "a character above U+00FF in UTF-16 string data");
                }
                op->data.push_back(bytes[i]);
            }
        } else {
            op->data = std::move(bytes);
        }
        return true;
    }

    MemoryRegistry& registry_;
    std::vector<std::string> lines_;
    std::size_t index_ = 0;
    bool unicode_ = false;
    bool haveKey_ = false;
    RegHandle keyRoot_ = 0;
    std::string keyPath_;
    std::vector<Operation> operations_;
    std::string error_;
};

// Plain "text" form: exactly the text and one terminating NUL, nothing that would not survive a line of its
// own. Bytes 0x80-0xFF stay as they are: the file is in the code page the single-byte registry functions use,
// which is also the one regedit reads it with.
bool IsPlainText(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data.back() != 0) {
        return false;
    }
    return std::all_of(data.begin(), data.end() - 1, [](std::uint8_t byte) { return byte >= 0x20 && byte != 0x7F; });
}

void AppendHex(std::string& out, const std::string& head, const std::vector<std::uint8_t>& bytes) {
    out += head;
    std::size_t lineLength = head.size();
    char digits[3];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, "%02x", bytes[i]);
        out += digits;
        lineLength += 2;
        if (i + 1 == bytes.size()) {
            break;
        }
        out += ',';
        ++lineLength;
        if (lineLength >= kHexWrapColumn) {
            out += "\\\r\n  ";
            lineLength = 2;
        }
    }
    out += "\r\n";
}

void AppendValue(std::string& out, const MemoryRegistry::Value& value, RegFileFormat format) {
    const std::string head = (value.name.empty() ? std::string("@") : "\"" + Escape(value.name) + "\"") + "=";
    if (value.type == kRegSz && IsPlainText(value.data)) {
        out += head + "\"" + Escape(std::string(value.data.begin(), value.data.end() - 1)) + "\"\r\n";
    } else if (value.type == kRegDword && value.data.size() == 4) {
        char digits[9];
        const std::uint32_t number =
            static_cast<std::uint32_t>(value.data[0]) | static_cast<std::uint32_t>(value.data[1]) << 8 |
            static_cast<std::uint32_t>(value.data[2]) << 16 | static_cast<std::uint32_t>(value.data[3]) << 24;
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(number));
        out += head + "dword:" + digits + "\r\n";
    } else if (value.type == kRegBinary) {
        AppendHex(out, head + "hex:", value.data);
    } else {
        char kind[16];
        std::snprintf(kind, sizeof kind, "hex(%x):", static_cast<unsigned>(value.type));
        const bool unicode = format == RegFileFormat::kVersion5 && IsStringType(value.type);
        AppendHex(out, head + kind, unicode ? ToUtf16(value.data) : value.data);
    }
}

// One key's section: its path, then its values sorted the way regedit writes them.
void AppendSection(std::string& out, const MemoryRegistry::Key& key, const std::string& path, RegFileFormat format) {
    // A root gets a section only for values of its own; every other key gets one even when empty, so that it
    // exists again after loading.
    if (key.parent == nullptr && key.values.empty()) {
        return;
    }
    out += "[" + path + "]\r\n";
    std::vector<const MemoryRegistry::Value*> values;
    for (const auto& value : key.values) {
        values.push_back(&value);
    }
    // The default value first, as regedit writes it; the empty name sorts first anyway.
    std::sort(values.begin(), values.end(), [](const MemoryRegistry::Value* a, const MemoryRegistry::Value* b) {
        return LessName(a->name, b->name);
    });
    for (const MemoryRegistry::Value* value : values) {
        AppendValue(out, *value, format);
    }
    out += "\r\n";
}

// The key and everything below it, parents before children and siblings in their sorted order. Walked with a
// stack of its own and one path that grows and shrinks, so that neither the depth of the tree nor the length
// of its paths costs more than the text written.
void AppendTree(std::string& out, const MemoryRegistry::Key& root, const std::string& rootName, RegFileFormat format) {
    struct Pending {
        const MemoryRegistry::Key* key;
        std::size_t parentPathLength;
    };
    std::string path;
    std::vector<Pending> pending{{&root, 0}};
    while (!pending.empty()) {
        const Pending next = pending.back();
        pending.pop_back();
        path.resize(next.parentPathLength);
        if (next.key == &root) {
            path = rootName;
        } else {
            path += '\\';
            path += next.key->name;
        }
        AppendSection(out, *next.key, path, format);
        for (auto it = next.key->subKeys.rbegin(); it != next.key->subKeys.rend(); ++it) {
            pending.push_back(Pending{it->second.get(), path.size()});
        }
    }
}

}  // namespace

bool LoadRegFile(const std::string& text, MemoryRegistry& registry, std::string* error) {
    Parser parser(text, registry);
    if (!parser.Parse()) {
        if (error != nullptr) {
            *error = parser.Error();
        }
        return false;
    }
    parser.Apply();
    return true;
}

std::string SaveRegFile(const MemoryRegistry& registry, RegFileFormat format) {
    std::string out = std::string(format == RegFileFormat::kVersion5 ? kHeader5 : kHeader4) + "\r\n\r\n";
    for (const RootName& root : kRoots) {
        if (const MemoryRegistry::Key* key = registry.FindKey(root.root, "")) {
            AppendTree(out, *key, root.name, format);
        }
    }
    return out;
}

}  // namespace tsln
