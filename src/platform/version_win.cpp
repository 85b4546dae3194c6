// FileVersionApi through version.dll.
#include <cstring>
#include <memory>

#include "platform/win32_backends.h"

// clang-format off: the system headers come after ours, so that their A/W
// macros cannot rename the methods of the interfaces.
#include <windows.h>
#include <winver.h>
// clang-format on

// The interface methods carry these plain names.
#undef GetFileVersionInfoSize
#undef GetFileVersionInfo

namespace tsln {
namespace {

class Win32FileVersion : public FileVersionApi {
public:
    std::uint32_t GetFileVersionInfoSize(const std::string& path) override {
        DWORD ignored = 0;
        return GetFileVersionInfoSizeA(path.c_str(), &ignored);
    }

    bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) override {
        return GetFileVersionInfoA(path.c_str(), 0, size, data) != FALSE;
    }

    bool QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) override {
        void* value = nullptr;
        UINT length = 0;
        if (!VerQueryValueA(block, "\\", &value, &length) || !value || length < sizeof(VS_FIXEDFILEINFO)) {
            return false;
        }
        // VerQueryValue trusts the block; make sure what it found lies inside
        // the bytes we were given before copying it out.
        const auto* begin = static_cast<const unsigned char*>(block);
        const auto* found = static_cast<const unsigned char*>(value);
        if (found < begin || found > begin + size || static_cast<std::uint32_t>(begin + size - found) < sizeof(*info)) {
            return false;
        }
        static_assert(sizeof(VS_FIXEDFILEINFO) == sizeof(FixedFileInfo), "same layout");
        std::memcpy(info, value, sizeof(*info));
        return true;
    }
};

}  // namespace

std::unique_ptr<FileVersionApi> MakeWin32FileVersion() {
    return std::make_unique<Win32FileVersion>();
}

}  // namespace tsln
