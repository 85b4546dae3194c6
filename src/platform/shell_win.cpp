// The shell services over kernel32 and shell32; the help viewer is looked up at run time so that the
// program still starts on a system without hhctrl.ocx.
#include <memory>
#include <string>

#include "platform/system_api.h"
#include "platform/win32_backends.h"

// shellapi.h needs the declarations of windows.h before it.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

// windows.h maps these to their A or W forms; the interface uses the plain names.
#undef GetSystemDirectory
#undef ShellExecute

namespace tsln {
namespace {

using HtmlHelpAFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

class Win32Shell : public ShellApi {
public:
    std::uint32_t GetSystemDirectory(char* buffer, std::uint32_t size) override {
        return GetSystemDirectoryA(buffer, size);
    }

    bool IsOrdinaryFile(const std::string& path) override {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            return false;
        }
        return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    }

    std::uintptr_t HtmlHelp(std::uintptr_t owner, const std::string& file, std::uint32_t command,
                            std::uintptr_t data) override {
        HtmlHelpAFunction htmlHelp = LookUpHtmlHelp();
        if (htmlHelp == nullptr) {
            return 0;
        }
        HWND window = htmlHelp(reinterpret_cast<HWND>(owner), file.c_str(), command, data);
        return reinterpret_cast<std::uintptr_t>(window);
    }

    void ShellExecute(const std::string& file, const std::string& directory) override {
        ShellExecuteA(nullptr, nullptr, file.c_str(), nullptr, directory.c_str(), SW_SHOWNORMAL);
    }

private:
    // Looked up once and kept: the library stays loaded for the life of the process, as the help window
    // it opens belongs to it.
    HtmlHelpAFunction LookUpHtmlHelp() {
        if (!lookedUp_) {
            lookedUp_ = true;
            // From the system folder only, as Windows installs it: a hhctrl.ocx planted beside the program or
            // in the current folder is not ours to run.
            char directory[MAX_PATH];
            const UINT length = GetSystemDirectoryA(directory, MAX_PATH);
            if (length == 0 || length >= MAX_PATH) {
                return nullptr;
            }
            const std::string path = std::string(directory, length) + "\\hhctrl.ocx";
            if (HMODULE library = LoadLibraryA(path.c_str())) {
                FARPROC proc = GetProcAddress(library, "HtmlHelpA");
                htmlHelp_ = reinterpret_cast<HtmlHelpAFunction>(reinterpret_cast<void*>(proc));
            }
        }
        return htmlHelp_;
    }

    bool lookedUp_ = false;
    HtmlHelpAFunction htmlHelp_ = nullptr;
};

}  // namespace

std::unique_ptr<ShellApi> MakeWin32Shell() {
    return std::make_unique<Win32Shell>();
}

}  // namespace tsln
