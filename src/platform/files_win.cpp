// FileApi through kernel32 CreateFileA/WriteFile: the bytes go out as given,
// no line-end translation.
#include <memory>

#include "platform/win32_backends.h"

// clang-format off: the system headers come after ours, so that their A/W
// macros cannot rename the methods of the interfaces.
#include <windows.h>
// clang-format on

namespace tsln {
namespace {

class Win32Files : public FileApi {
public:
    bool WriteNew(const std::string& path, const std::string& text) override {
        return Write(path, text, CREATE_ALWAYS);
    }

    bool Append(const std::string& path, const std::string& text) override { return Write(path, text, OPEN_ALWAYS); }

private:
    static bool Write(const std::string& path, const std::string& text, DWORD disposition) {
        // A read-only file refuses GENERIC_WRITE; CREATE_ALWAYS with normal
        // attributes also refuses an existing hidden or system file.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        bool ok = true;
        if (disposition == OPEN_ALWAYS) {
            LARGE_INTEGER zero;
            zero.QuadPart = 0;
            ok = SetFilePointerEx(file, zero, nullptr, FILE_END) != FALSE;
        }
        const char* next = text.data();
        std::size_t left = text.size();
        while (ok && left > 0) {
            const DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
            DWORD written = 0;
            ok = WriteFile(file, next, chunk, &written, nullptr) != FALSE && written == chunk;
            next += chunk;
            left -= chunk;
        }
        const bool closed = CloseHandle(file) != FALSE;
        return ok && closed;
    }
};

}  // namespace

std::unique_ptr<FileApi> MakeWin32Files() {
    return std::make_unique<Win32Files>();
}

}  // namespace tsln
