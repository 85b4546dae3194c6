#include "profile/pe_version.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace tsln {
namespace {

// All arithmetic on offsets taken from the file is done in 64 bits, so that a
// 32-bit field plus another can never wrap around on either target.
using Offset = std::uint64_t;

constexpr std::uint16_t kPe32Magic = 0x10B;
constexpr std::uint16_t kPe32PlusMagic = 0x20B;
constexpr std::uint32_t kResourceDirectoryIndex = 2;
constexpr std::uint32_t kRtVersion = 16;
constexpr std::uint32_t kHighBit = 0x80000000u;
constexpr Offset kSectionHeaderSize = 40;
constexpr Offset kResourceDirectorySize = 16;
constexpr Offset kResourceEntrySize = 8;
constexpr Offset kMaxRva = 0xFFFFFFFFu;
// The Windows XP loader refuses an image with more sections than this; no
// real driver file comes near it.
constexpr std::uint16_t kMaxSections = 96;

// Bytes of untrusted origin: every read says whether it fitted.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(data ? size : 0) {}

    bool Has(Offset offset, Offset length) const { return offset <= size_ && length <= size_ - offset; }

    bool U16(Offset offset, std::uint16_t* value) const {
        if (!Has(offset, 2))
            return false;
        const std::uint8_t* p = data_ + offset;
        *value = static_cast<std::uint16_t>(p[0] | (p[1] << 8));
        return true;
    }

    bool U32(Offset offset, std::uint32_t* value) const {
        if (!Has(offset, 4))
            return false;
        const std::uint8_t* p = data_ + offset;
        *value = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                 (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
        return true;
    }

    const std::uint8_t* At(Offset offset) const { return data_ + offset; }

private:
    const std::uint8_t* data_;
    Offset size_;
};

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

// The parts of a PE image the version lookup needs: the resource directory's
// RVA and the section table that turns RVAs into file offsets.
class PeImage {
public:
    explicit PeImage(const Bytes& bytes) : bytes_(bytes) {}

    bool Open() {
        std::uint16_t mz = 0;
        std::uint32_t peOffset = 0;
        if (!bytes_.U16(0, &mz) || mz != 0x5A4D || !bytes_.U32(0x3C, &peOffset))
            return false;
        const Offset pe = peOffset;
        if (!bytes_.Has(pe, 24) || std::memcmp(bytes_.At(pe), "PE\0\0", 4) != 0)
            return false;

        const Offset coff = pe + 4;
        std::uint16_t sectionCount = 0;
        std::uint16_t optionalSize = 0;
        if (!bytes_.U16(coff + 2, &sectionCount) || !bytes_.U16(coff + 16, &optionalSize))
            return false;

        const Offset optional = coff + 20;
        std::uint16_t magic = 0;
        if (!bytes_.U16(optional, &magic))
            return false;
        Offset countField = 0;
        Offset directories = 0;
        if (magic == kPe32Magic) {
            countField = 92;
            directories = 96;
        } else if (magic == kPe32PlusMagic) {
            countField = 108;
            directories = 112;
        } else {
            return false;
        }
        // The resource entry has to lie inside the optional header that the
        // file declares, and be among the entries it says it has.
        const Offset resourceEntry = directories + kResourceDirectoryIndex * 8;
        std::uint32_t directoryCount = 0;
        if (optionalSize < resourceEntry + 8 || !bytes_.U32(optional + countField, &directoryCount) ||
            directoryCount <= kResourceDirectoryIndex) {
            return false;
        }
        if (!bytes_.U32(optional + resourceEntry, &resourceRva_) ||
            !bytes_.U32(optional + resourceEntry + 4, &resourceSize_)) {
            return false;
        }
        if (resourceRva_ == 0 || resourceSize_ == 0)
            return false;

        if (sectionCount > kMaxSections)
            return false;
        const Offset table = optional + optionalSize;
        if (!bytes_.Has(table, sectionCount * kSectionHeaderSize))
            return false;
        sections_.reserve(sectionCount);
        for (Offset i = 0; i < sectionCount; ++i) {
            const Offset header = table + i * kSectionHeaderSize;
            Section section;
            bytes_.U32(header + 8, &section.virtualSize);
            bytes_.U32(header + 12, &section.virtualAddress);
            bytes_.U32(header + 16, &section.rawSize);
            bytes_.U32(header + 20, &section.rawOffset);
            sections_.push_back(section);
        }
        return true;
    }

    // The file offset of length bytes at rva, when they lie wholly in the raw
    // data of one section and in the file. Bytes the loader would zero-fill
    // (past the raw data) do not count: they are not in the file.
    bool Map(Offset rva, Offset length, Offset* offset) const {
        if (rva > kMaxRva)
            return false;
        for (const Section& section : sections_) {
            Offset extent = section.rawSize;
            if (section.virtualSize != 0)
                extent = std::min<Offset>(extent, section.virtualSize);
            if (rva < section.virtualAddress)
                continue;
            const Offset inSection = rva - section.virtualAddress;
            if (inSection >= extent || length > extent - inSection)
                continue;
            const Offset fileOffset = section.rawOffset + inSection;
            if (!bytes_.Has(fileOffset, length))
                return false;
            *offset = fileOffset;
            return true;
        }
        return false;
    }

    // The file offset of length bytes of the resource directory, when they lie whole in one section.
    bool MapResource(Offset offsetInDirectory, Offset length, Offset* offset) const {
        return Map(resourceRva_ + offsetInDirectory, length, offset);
    }

    const Bytes& Data() const { return bytes_; }

    bool ResourceU32(Offset offsetInDirectory, std::uint32_t* value) const {
        Offset fileOffset = 0;
        return Map(resourceRva_ + offsetInDirectory, 4, &fileOffset) && bytes_.U32(fileOffset, value);
    }

    bool ResourceU16(Offset offsetInDirectory, std::uint16_t* value) const {
        Offset fileOffset = 0;
        return Map(resourceRva_ + offsetInDirectory, 2, &fileOffset) && bytes_.U16(fileOffset, value);
    }

private:
    const Bytes& bytes_;
    std::uint32_t resourceRva_ = 0;
    std::uint32_t resourceSize_ = 0;
    std::vector<Section> sections_;
};

struct ResourceEntry {
    std::uint32_t name = 0;
    std::uint32_t target = 0;
};

// Number of entries of the resource directory at offset (named plus id).
bool EntryCount(const PeImage& image, Offset directory, std::uint32_t* count) {
    std::uint16_t named = 0;
    std::uint16_t ids = 0;
    if (!image.ResourceU16(directory + 12, &named) || !image.ResourceU16(directory + 14, &ids))
        return false;
    *count = static_cast<std::uint32_t>(named) + ids;
    return true;
}

bool Entry(const PeImage& image, Offset directory, std::uint32_t index, ResourceEntry* entry) {
    const Offset at = directory + kResourceDirectorySize + index * kResourceEntrySize;
    return image.ResourceU32(at, &entry->name) && image.ResourceU32(at + 4, &entry->target);
}

bool IsSubdirectory(const ResourceEntry& entry) {
    return (entry.target & kHighBit) != 0;
}
Offset TargetOffset(const ResourceEntry& entry) {
    return entry.target & ~kHighBit;
}

// The first entry of a directory, which must lead where the caller expects
// (a further directory or a data entry). The walk has a fixed depth of three,
// so a directory that points back at itself or an ancestor cannot loop.
bool FirstEntry(const PeImage& image, Offset directory, bool wantSubdirectory, Offset* target) {
    std::uint32_t count = 0;
    ResourceEntry entry;
    if (!EntryCount(image, directory, &count) || count == 0 || !Entry(image, directory, 0, &entry))
        return false;
    if (IsSubdirectory(entry) != wantSubdirectory)
        return false;
    *target = TargetOffset(entry);
    return true;
}

// The root's entries are mapped once, as the one block they are in every
// real file, so that a root with many entries costs one pass over them.
bool FindVersionDirectory(const PeImage& image, Offset* directory) {
    std::uint32_t count = 0;
    Offset table = 0;
    if (!EntryCount(image, 0, &count) ||
        !image.MapResource(kResourceDirectorySize, count * kResourceEntrySize, &table)) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        ResourceEntry entry;
        const Offset at = table + i * kResourceEntrySize;
        if (!image.Data().U32(at, &entry.name) || !image.Data().U32(at + 4, &entry.target))
            return false;
        // A name with the high bit set is a string offset, never the id 16.
        if (entry.name != kRtVersion)
            continue;
        if (!IsSubdirectory(entry))
            return false;
        *directory = TargetOffset(entry);
        return true;
    }
    return false;
}

// Reads a UTF-16LE key at offset and compares it, terminating NUL included.
bool KeyIs(const Bytes& block, Offset offset, const char* key) {
    for (std::size_t i = 0;; ++i) {
        std::uint16_t ch = 0;
        if (!block.U16(offset + 2 * i, &ch))
            return false;
        if (ch != static_cast<unsigned char>(key[i]))
            return false;
        if (ch == 0)
            return true;
    }
}

Offset AlignTo4(Offset value) {
    return (value + 3) & ~static_cast<Offset>(3);
}

}  // namespace

std::vector<std::uint8_t> ExtractVersionResource(const std::uint8_t* image, std::size_t size) {
    const Bytes bytes(image, size);
    PeImage pe(bytes);
    if (!pe.Open())
        return {};

    Offset names = 0;
    Offset languages = 0;
    Offset dataEntry = 0;
    if (!FindVersionDirectory(pe, &names) || !FirstEntry(pe, names, true, &languages) ||
        !FirstEntry(pe, languages, false, &dataEntry)) {
        return {};
    }

    // The data entry holds an RVA of its own, not an offset into the
    // resource directory.
    std::uint32_t dataRva = 0;
    std::uint32_t dataSize = 0;
    if (!pe.ResourceU32(dataEntry, &dataRva) || !pe.ResourceU32(dataEntry + 4, &dataSize) || dataSize == 0) {
        return {};
    }
    Offset fileOffset = 0;
    if (!pe.Map(dataRva, dataSize, &fileOffset))
        return {};
    return std::vector<std::uint8_t>(bytes.At(fileOffset), bytes.At(fileOffset) + dataSize);
}

std::vector<std::uint8_t> ReadVersionResource(const std::string& hostPath) {
    std::error_code error;
    const std::filesystem::path path(hostPath);
    if (!std::filesystem::is_regular_file(path, error))
        return {};
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size == 0 || size > kMaxVersionFileSize)
        return {};

    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::vector<std::uint8_t> image(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(image.data()), static_cast<std::streamsize>(image.size()));
    // A file that shrank while being read is read as what arrived.
    image.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return ExtractVersionResource(image.data(), image.size());
}

bool ParseFixedFileInfo(const std::uint8_t* block, std::size_t size, FixedFileInfo* info) {
    const Bytes bytes(block, size);
    std::uint16_t length = 0;
    std::uint16_t valueLength = 0;
    if (!bytes.U16(0, &length) || !bytes.U16(2, &valueLength))
        return false;
    // The block must be whole: wLength covers header, key, value and children.
    if (length > size)
        return false;
    const Bytes whole(block, length);

    constexpr Offset kKeyOffset = 6;
    if (!KeyIs(whole, kKeyOffset, "VS_VERSION_INFO"))
        return false;
    const Offset value = AlignTo4(kKeyOffset + 2 * sizeof("VS_VERSION_INFO"));
    if (valueLength < sizeof(FixedFileInfo) || !whole.Has(value, valueLength))
        return false;

    std::uint32_t fields[13] = {};
    for (Offset i = 0; i < 13; ++i)
        whole.U32(value + 4 * i, &fields[i]);
    if (fields[0] != kFixedFileInfoSignature)
        return false;
    if (info) {
        info->signature = fields[0];
        info->strucVersion = fields[1];
        info->fileVersionMS = fields[2];
        info->fileVersionLS = fields[3];
        info->productVersionMS = fields[4];
        info->productVersionLS = fields[5];
        info->fileFlagsMask = fields[6];
        info->fileFlags = fields[7];
        info->fileOS = fields[8];
        info->fileType = fields[9];
        info->fileSubtype = fields[10];
        info->fileDateMS = fields[11];
        info->fileDateLS = fields[12];
    }
    return true;
}

}  // namespace tsln
