// FileApi through kernel32 CreateFileA/WriteFile/ReadFile: the bytes go out
// and come in as they are, no line-end translation.
#include <memory>
#include <utility>

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

    FileRead ReadWhole(const std::string& path, std::size_t maxBytes, std::string* text) override {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return FileRead::Failed;
        DWORD high = 0;
        const DWORD size = GetFileSize(file, &high);
        const bool sized = size != INVALID_FILE_SIZE || GetLastError() == NO_ERROR;
        FileRead result = FileRead::Failed;
        if (sized && (high != 0 || size > maxBytes)) {
            result = FileRead::TooLarge;
        } else if (sized) {
            std::string bytes(size, '\0');
            DWORD read = 0;
            if (size == 0 || (ReadFile(file, &bytes[0], size, &read, nullptr) && read == size)) {
                *text = std::move(bytes);
                result = FileRead::Ok;
            }
        }
        CloseHandle(file);
        return result;
    }

    bool Replace(const std::string& path, const std::string& text) override {
        const std::string fresh = path + ".tmp";
        // On the disk before it takes the old file's place: a power cut then
        // leaves one file or the other, never a short one.
        if (Write(fresh, text, CREATE_ALWAYS, true) &&
            MoveFileExA(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DeleteFileA(fresh.c_str());
        return false;
    }

private:
    static bool Write(const std::string& path, const std::string& text, DWORD disposition, bool flush = false) {
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
        if (ok && flush)
            ok = FlushFileBuffers(file) != FALSE;
        const bool closed = CloseHandle(file) != FALSE;
        return ok && closed;
    }
};

}  // namespace

std::unique_ptr<FileApi> MakeWin32Files() {
    return std::make_unique<Win32Files>();
}

}  // namespace tsln
