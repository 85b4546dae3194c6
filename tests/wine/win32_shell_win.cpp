// The Win32 shell backend against the real kernel32 and hhctrl.ocx (under Wine).
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <memory>
#include <string>

#include "platform/shell_helpers.h"
#include "platform/win32_backends.h"

namespace tsln::test {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

class Win32Shell : public ::testing::Test {
protected:
    void SetUp() override {
        char tempDir[MAX_PATH] = {};
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, tempDir));
        dir_ = std::string(tempDir) + "tsln-shell-test";
        CreateDirectoryA(dir_.c_str(), nullptr);
    }

    void TearDown() override {
        for (const char* name : {"plain.chm", "hidden.chm", "system.chm", "read-only.chm"}) {
            const std::string path = dir_ + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str());
        }
        RemoveDirectoryA((dir_ + "\\folder.chm").c_str());
        RemoveDirectoryA(dir_.c_str());
    }

    std::string MakeFile(const char* name, DWORD attributes) {
        const std::string path = dir_ + "\\" + name;
        HANDLE file =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(INVALID_HANDLE_VALUE, file) << path;
        CloseHandle(file);
        EXPECT_TRUE(SetFileAttributesA(path.c_str(), attributes)) << path;
        return path;
    }

    std::unique_ptr<ShellApi> shell_ = MakeWin32Shell();
    std::string dir_;
};

TEST_F(Win32Shell, GetSystemDirIsTheSystemFolderWithoutATrailingBackslash) {
    char expected[MAX_PATH] = {};
    ASSERT_NE(0u, GetSystemDirectoryA(expected, MAX_PATH));
    const std::string dir = GetSystemDir(*shell_);
    EXPECT_EQ(expected, dir);
    EXPECT_EQ("c:\\windows\\system32", Lower(dir));
}

TEST_F(Win32Shell, OnlyAnExistingFileWithoutHiddenOrSystemAttributeIsOrdinary) {
    EXPECT_TRUE(shell_->IsOrdinaryFile(MakeFile("plain.chm", FILE_ATTRIBUTE_NORMAL)));
    EXPECT_TRUE(shell_->IsOrdinaryFile(MakeFile("read-only.chm", FILE_ATTRIBUTE_READONLY)));
    EXPECT_FALSE(shell_->IsOrdinaryFile(MakeFile("hidden.chm", FILE_ATTRIBUTE_HIDDEN)));
    EXPECT_FALSE(shell_->IsOrdinaryFile(MakeFile("system.chm", FILE_ATTRIBUTE_SYSTEM)));
    ASSERT_TRUE(CreateDirectoryA((dir_ + "\\folder.chm").c_str(), nullptr));
    EXPECT_FALSE(shell_->IsOrdinaryFile(dir_ + "\\folder.chm"));
    EXPECT_FALSE(shell_->IsOrdinaryFile(dir_ + "\\missing.chm"));
    EXPECT_FALSE(shell_->IsOrdinaryFile(""));
}

TEST_F(Win32Shell, HtmlHelpIsFoundAtRunTimeAndOpensNoWindowForAMissingFile) {
    EXPECT_EQ(0u, shell_->HtmlHelp(0, dir_ + "\\missing.chm", 0, 0));
    EXPECT_EQ(0u, shell_->HtmlHelp(0, dir_ + "\\missing.chm", 15, 1001));
    EXPECT_FALSE(OpenHtmlHelp(*shell_, dir_ + "\\missing.chm", 0, 0));
}

// The build plants a hhctrl.ocx of its own beside this program (planted_hhctrl_win.cpp). Loaded by bare
// name it would answer 0x7E57; from the system folder, as Windows installs it, the real one answers 0.
TEST_F(Win32Shell, HtmlHelpComesFromTheSystemFolderNotFromBesideTheProgram) {
    char program[MAX_PATH] = {};
    ASSERT_NE(0u, GetModuleFileNameA(nullptr, program, MAX_PATH));
    std::string planted = program;
    planted = planted.substr(0, planted.find_last_of('\\') + 1) + "hhctrl.ocx";
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(planted.c_str())) << planted;
    EXPECT_EQ(0u, shell_->HtmlHelp(0, dir_ + "\\missing.chm", 0, 0));
}

}  // namespace
}  // namespace tsln::test
