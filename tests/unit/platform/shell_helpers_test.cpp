#include "platform/shell_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace tsln::test {
namespace {

// Answers from its fields and records every call.
class FakeShell : public ShellApi {
public:
    struct HelpCall {
        std::uintptr_t owner;
        std::string file;
        std::uint32_t command;
        std::uintptr_t data;
    };

    std::uint32_t GetSystemDirectory(char* buffer, std::uint32_t size) override {
        bufferSize = size;
        bufferWasAllNul = std::all_of(buffer, buffer + size, [](char c) { return c == '\0'; });
        std::memcpy(buffer, systemDir.data(), std::min<std::size_t>(systemDir.size(), size));
        return systemDirResult;
    }
    bool IsOrdinaryFile(const std::string& path) override {
        checkedFiles.push_back(path);
        return std::find(ordinaryFiles.begin(), ordinaryFiles.end(), path) != ordinaryFiles.end();
    }
    std::uintptr_t HtmlHelp(std::uintptr_t owner, const std::string& file, std::uint32_t command,
                            std::uintptr_t data) override {
        helpCalls.push_back({owner, file, command, data});
        return helpWindow;
    }
    void ShellExecute(const std::string& file, const std::string& directory) override {
        executed.emplace_back(file, directory);
    }

    // What GetSystemDirectory copies into the buffer (raw, may hold NULs) and returns.
    std::string systemDir;
    std::uint32_t systemDirResult = 0;
    std::uint32_t bufferSize = 0;
    bool bufferWasAllNul = false;

    std::vector<std::string> ordinaryFiles;
    std::vector<std::string> checkedFiles;
    std::uintptr_t helpWindow = 0;
    std::vector<HelpCall> helpCalls;
    std::vector<std::pair<std::string, std::string>> executed;
};

TEST(GetSystemDir, PassesA260CharacterBufferOfNulsAndCutsAtTheFirstNul) {
    FakeShell shell;
    shell.systemDir = std::string("C:\\WINDOWS\\system32\0junk", 25);
    shell.systemDirResult = 19;
    EXPECT_EQ("C:\\WINDOWS\\system32", GetSystemDir(shell));
    EXPECT_EQ(260u, shell.bufferSize);
    EXPECT_TRUE(shell.bufferWasAllNul);
}

TEST(GetSystemDir, IsEmptyWhenTheCallFailsWhateverTheBufferHolds) {
    FakeShell shell;
    shell.systemDir = "C:\\WINNT\\system32";
    shell.systemDirResult = 0;
    EXPECT_EQ("", GetSystemDir(shell));
}

TEST(GetSystemDir, TakesAFullBufferWithoutNulWhole) {
    FakeShell shell;
    shell.systemDir = std::string(260, 'x');
    shell.systemDirResult = 300;  // the size it would need
    EXPECT_EQ(std::string(260, 'x'), GetSystemDir(shell));
}

TEST(OpenHtmlHelp, WithoutAnOrdinaryFileReturnsFalseAndNeverOpensTheViewer) {
    FakeShell shell;
    shell.helpWindow = 0x1234;
    EXPECT_FALSE(OpenHtmlHelp(shell, "C:\\Program Files\\Tessaline\\tslnhelp.chm", 0x10, 0));
    EXPECT_EQ(std::vector<std::string>{"C:\\Program Files\\Tessaline\\tslnhelp.chm"}, shell.checkedFiles);
    EXPECT_TRUE(shell.helpCalls.empty());
}

TEST(OpenHtmlHelp, ShowsTheTopicOrTheContextAndReportsWhetherAWindowOpened) {
    const std::string file = "C:\\Tessaline\\tslnhelp.chm";
    FakeShell shell;
    shell.ordinaryFiles = {file};

    shell.helpWindow = 0x5678;
    EXPECT_TRUE(OpenHtmlHelp(shell, file, 0x10, 0));
    shell.helpWindow = 0;
    EXPECT_FALSE(OpenHtmlHelp(shell, file, 0x10, 1001));

    ASSERT_EQ(2u, shell.helpCalls.size());
    EXPECT_EQ(0x10u, shell.helpCalls[0].owner);
    EXPECT_EQ(file, shell.helpCalls[0].file);
    EXPECT_EQ(0u, shell.helpCalls[0].command);  // HH_DISPLAY_TOPIC
    EXPECT_EQ(0u, shell.helpCalls[0].data);
    EXPECT_EQ(0x10u, shell.helpCalls[1].owner);
    EXPECT_EQ(file, shell.helpCalls[1].file);
    EXPECT_EQ(15u, shell.helpCalls[1].command);  // HH_HELP_CONTEXT
    EXPECT_EQ(1001u, shell.helpCalls[1].data);
}

TEST(OpenWebSite, OpensTheProjectPageOnceFromTheRootOfDriveC) {
    FakeShell shell;
    OpenWebSite(shell);
    ASSERT_EQ(1u, shell.executed.size());
    EXPECT_EQ("http://tessaline.sourceforge.net/", shell.executed[0].first);
    EXPECT_EQ("C:\\", shell.executed[0].second);
}

}  // namespace
}  // namespace tsln::test
