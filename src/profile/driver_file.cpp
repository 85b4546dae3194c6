#include "profile/driver_file.h"

#include "profile/text.h"

namespace tsln {
namespace {

// Where the one section goes, in the file and in memory.
constexpr std::uint32_t kFileAlignment = 0x200;
constexpr std::uint32_t kSectionAlignment = 0x1000;
constexpr std::uint32_t kResourceRva = 0x1000;
constexpr std::uint32_t kPeOffset = 0x40;
constexpr std::uint32_t kOptionalHeaderSize = 224;
constexpr std::uint32_t kLanguageEnUs = 0x409;
constexpr std::uint32_t kCodePageUnicode = 1200;

class Writer {
public:
    std::vector<std::uint8_t> bytes;

    std::size_t Size() const { return bytes.size(); }
    void U16(std::uint32_t value) {
        bytes.push_back(static_cast<std::uint8_t>(value));
        bytes.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(value & 0xFFFFu);
        U16(value >> 16);
    }
    void Pad(std::size_t alignment) {
        while (bytes.size() % alignment != 0)
            bytes.push_back(0);
    }
    void Fill(std::size_t size) { bytes.resize(size, 0); }
    void PutU16(std::size_t at, std::uint32_t value) {
        bytes[at] = static_cast<std::uint8_t>(value);
        bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
    }
    // Single-byte text as UTF-16LE with its NUL.
    void Utf16(const std::string& text) {
        for (char c : text)
            U16(static_cast<unsigned char>(c));
        U16(0);
    }
};

// One node of a VS_VERSIONINFO tree: length, value length, type, key, value,
// children, each part aligned to four bytes. wLength is filled in once the
// children are written.
class VersionNode {
public:
    VersionNode(Writer& out, const std::string& key, bool text) : out_(out), start_(out.Size()) {
        out_.U16(0);
        out_.U16(0);
        out_.U16(text ? 1 : 0);
        out_.Utf16(key);
        out_.Pad(4);
    }
    ~VersionNode() { out_.PutU16(start_, static_cast<std::uint32_t>(out_.Size() - start_)); }
    VersionNode(const VersionNode&) = delete;
    VersionNode& operator=(const VersionNode&) = delete;

    // wValueLength counts characters for text and bytes for binary data.
    void TextValue(const std::string& value) {
        out_.PutU16(start_ + 2, static_cast<std::uint32_t>(value.size() + 1));
        out_.Utf16(value);
        out_.Pad(4);
    }
    void BinaryValue(const std::vector<std::uint32_t>& words) {
        out_.PutU16(start_ + 2, static_cast<std::uint32_t>(words.size() * 4));
        for (std::uint32_t word : words)
            out_.U32(word);
    }

private:
    Writer& out_;
    std::size_t start_;
};

std::vector<std::uint8_t> VersionBlock(const std::string& fileName, const std::string& description,
                                       const FileVersionFields& v) {
    const std::uint32_t ms = static_cast<std::uint32_t>(v[0]) << 16 | v[1];
    const std::uint32_t ls = static_cast<std::uint32_t>(v[2]) << 16 | v[3];
    const std::string dotted =
        std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." + std::to_string(v[3]);
    // VS_FIXEDFILEINFO: FILEOS VOS_NT_WINDOWS32, FILETYPE VFT_DRV, FILESUBTYPE VFT2_DRV_DISPLAY.
    const std::vector<std::uint32_t> fixed = {0xFEEF04BDu, 0x00010000u, ms, ls, ms, ls, 0x3Fu, 0, 0x40004u, 3, 4, 0, 0};
    const std::pair<const char*, std::string> strings[] = {
        {"CompanyName", "Tessaline project"},
        {"FileDescription", description},
        {"FileVersion", dotted},
        {"InternalName", fileName},
        {"OriginalFilename", fileName},
        {"ProductName", "Tessaline machine profile"},
        {"ProductVersion", dotted},
    };

    Writer out;
    {
        VersionNode root(out, "VS_VERSION_INFO", false);
        root.BinaryValue(fixed);
        {
            VersionNode stringInfo(out, "StringFileInfo", true);
            VersionNode table(out, "040904B0", true);
            for (const auto& entry : strings) {
                out.Pad(4);
                VersionNode string(out, entry.first, true);
                string.TextValue(entry.second);
            }
        }
        out.Pad(4);
        VersionNode varInfo(out, "VarFileInfo", true);
        VersionNode translation(out, "Translation", false);
        translation.BinaryValue({kLanguageEnUs | kCodePageUnicode << 16});
    }
    return out.bytes;
}

// The resource tree RT_VERSION / 1 / en-US -> the block, as the section's bytes.
std::vector<std::uint8_t> ResourceSection(const std::vector<std::uint8_t>& block) {
    constexpr std::uint32_t kSubdirectory = 0x80000000u;
    constexpr std::uint32_t kTypeDirectory = 0x00;
    constexpr std::uint32_t kNameDirectory = 0x18;
    constexpr std::uint32_t kLanguageDirectory = 0x30;
    constexpr std::uint32_t kDataEntry = 0x48;
    constexpr std::uint32_t kData = 0x58;
    constexpr std::uint32_t kRtVersion = 16;

    Writer out;
    auto directory = [&out](std::uint32_t id, std::uint32_t target) {
        out.U32(0);  // characteristics
        out.U32(0);  // time stamp
        out.U32(0);  // major and minor version
        out.U16(0);  // named entries
        out.U16(1);  // id entries
        out.U32(id);
        out.U32(target);
    };
    static_assert(kNameDirectory == kTypeDirectory + 24, "one entry per directory");
    directory(kRtVersion, kSubdirectory | kNameDirectory);
    directory(1, kSubdirectory | kLanguageDirectory);
    directory(kLanguageEnUs, kDataEntry);
    out.U32(kResourceRva + kData);
    out.U32(static_cast<std::uint32_t>(block.size()));
    out.U32(0);  // code page
    out.U32(0);
    out.bytes.insert(out.bytes.end(), block.begin(), block.end());
    return out.bytes;
}

std::uint32_t AlignUp(std::size_t value, std::uint32_t alignment) {
    return static_cast<std::uint32_t>((value + alignment - 1) / alignment * alignment);
}

}  // namespace

bool ParseVersionText(const std::string& text, FileVersionFields* version, std::string* error) {
    std::string line;
    for (const std::string& candidate : SplitLines(text)) {
        if (Trim(candidate).empty())
            continue;
        if (!line.empty()) {
            *error = "expected exactly one line, the file version";
            return false;
        }
        line = Trim(candidate);
    }
    FileVersionFields fields{};
    std::size_t start = 0;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t dot = i + 1 < fields.size() ? line.find('.', start) : line.size();
        std::uint32_t number = 0;
        if (dot == std::string::npos || !ParseUnsigned32(line.substr(start, dot - start), &number)) {
            *error = "expected one line \"major.minor.build.private\", found \"" + line + "\"";
            return false;
        }
        if (number > 0xFFFFu) {
            *error = "version field " + std::to_string(number) + " is above 65535";
            return false;
        }
        fields[i] = static_cast<std::uint16_t>(number);
        start = dot + 1;
    }
    *version = fields;
    return true;
}

std::vector<std::uint8_t> MakeDriverFile(const std::string& fileName, const std::string& description,
                                         const FileVersionFields& version) {
    const std::vector<std::uint8_t> section = ResourceSection(VersionBlock(fileName, description, version));
    const std::uint32_t headersSize = AlignUp(kPeOffset + 24 + kOptionalHeaderSize + 40, kFileAlignment);
    const std::uint32_t rawSize = AlignUp(section.size(), kFileAlignment);
    const auto sectionSize = static_cast<std::uint32_t>(section.size());

    Writer out;
    out.U16(0x5A4D);  // "MZ"
    out.Fill(0x3C);
    out.U32(kPeOffset);
    out.U32(0x00004550);  // "PE\0\0"
    // COFF header: i386, one section, no time stamp, a DLL of 32-bit words.
    out.U16(0x14C);
    out.U16(1);
    out.U32(0);
    out.U32(0);
    out.U32(0);
    out.U16(kOptionalHeaderSize);
    out.U16(0x2102);
    // PE32 optional header.
    out.U16(0x10B);
    out.U16(0);             // linker version
    out.U32(0);             // size of code
    out.U32(rawSize);       // size of initialized data
    out.U32(0);             // size of uninitialized data
    out.U32(0);             // entry point: none, the file is only ever read
    out.U32(kResourceRva);  // base of code
    out.U32(kResourceRva);  // base of data
    out.U32(0x10000000u);   // image base
    out.U32(kSectionAlignment);
    out.U32(kFileAlignment);
    out.U16(4);  // operating system version 4.0
    out.U16(0);
    out.U32(0);  // image version
    out.U16(4);  // subsystem version 4.0
    out.U16(0);
    out.U32(0);
    out.U32(kResourceRva + AlignUp(section.size(), kSectionAlignment));  // size of image
    out.U32(headersSize);
    out.U32(0);  // checksum
    out.U16(2);  // Windows GUI subsystem
    out.U16(0);
    out.U32(0x100000);  // stack and heap reserve and commit
    out.U32(0x1000);
    out.U32(0x100000);
    out.U32(0x1000);
    out.U32(0);   // loader flags
    out.U32(16);  // data directories
    for (std::uint32_t i = 0; i < 16; ++i) {
        out.U32(i == 2 ? kResourceRva : 0);
        out.U32(i == 2 ? sectionSize : 0);
    }
    // The one section, ".rsrc": initialized data, readable.
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    out.bytes.insert(out.bytes.end(), name, name + 8);
    out.U32(sectionSize);
    out.U32(kResourceRva);
    out.U32(rawSize);
    out.U32(headersSize);
    out.U32(0);
    out.U32(0);
    out.U32(0);
    out.U32(0x40000040u);
    out.Fill(headersSize);
    out.bytes.insert(out.bytes.end(), section.begin(), section.end());
    out.Fill(headersSize + rawSize);
    return out.bytes;
}

}  // namespace tsln
