#pragma once
// Host files seen the way Windows would see them, and written the way
// CreateFile would write them.
#include <filesystem>
#include <string>

#include "platform/system_api.h"

namespace tsln {

class WindowsPathMap;

// Attributes as Windows would report them. These follow Wine's rules, so that
// a profile and a Wine prefix seeded from it agree:
// - hidden or system: the name starts with "." (how Wine shows dot files), or
//   the extended attribute user.DOSATTRIB (where Wine and Samba keep DOS
//   attributes, e.g. after "attrib +h") has the hidden or system bit;
// - read-only: the owner has no write permission. Permission bits, not
//   access(2), because the tests run as root and root may write anything.
bool IsHiddenOrSystemFile(const std::string& hostPath);
bool IsReadOnlyFile(const std::string& hostPath);

// The whole file as bytes; false when it is no regular file or cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string* text);

// FileApi over mapped paths. Like CreateFile, WriteNew refuses an existing
// hidden or system file (CREATE_ALWAYS with normal attributes), both refuse a
// read-only file, a folder or a path whose folder does not exist. Replace,
// like MoveFileEx, refuses to replace a read-only file or a folder.
class HostFiles : public FileApi {
public:
    explicit HostFiles(const WindowsPathMap& paths) : paths_(paths) {}
    bool WriteNew(const std::string& path, const std::string& text) override;
    bool Append(const std::string& path, const std::string& text) override;
    FileRead ReadWhole(const std::string& path, std::size_t maxBytes, std::string* text) override;
    bool Replace(const std::string& path, const std::string& text) override;

private:
    bool Write(const std::string& path, const std::string& text, bool append);
    const WindowsPathMap& paths_;
};

}  // namespace tsln
