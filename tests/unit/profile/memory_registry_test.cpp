// What only the in-memory registry has: its bookkeeping for tests, key deletion and taking write rights away.
// Its behaviour as a registry is proven against the real one by registry_suite.cpp.
#include "profile/memory_registry.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "profile/reg_file.h"

namespace tsln::test {
namespace {

using namespace std::string_literals;

constexpr RegHandle kHkeyClassesRoot = 0x80000000u;

long SetString(MemoryRegistry& reg, RegHandle key, const char* name, std::string text) {
    return reg.SetValueEx(key, name, kRegSz, reinterpret_cast<const std::uint8_t*>(text.c_str()),
                          static_cast<std::uint32_t>(text.size()));
}

TEST(MemoryRegistry, RevisionCountsSuccessfulChangesOnly) {
    MemoryRegistry reg;
    const std::uint64_t start = reg.Revision();
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, "SOFTWARE\\TSLN", &key));
    const std::uint64_t afterCreate = reg.Revision();
    EXPECT_GT(afterCreate, start);

    ASSERT_EQ(kErrorSuccess, SetString(reg, key, "v", "x"));
    const std::uint64_t afterSet = reg.Revision();
    EXPECT_GT(afterSet, afterCreate);

    // Reads, opening existing keys, failed deletes and writing what a value already holds change nothing.
    ASSERT_EQ(kErrorSuccess, SetString(reg, key, "V", "x"));
    std::uint32_t size = 0;
    reg.QueryValueEx(key, "v", nullptr, nullptr, &size);
    RegHandle again = 0;
    reg.CreateKey(kHkeyLocalMachine, "software\\tsln", &again);
    reg.CloseKey(again);
    EXPECT_EQ(kErrorFileNotFound, reg.DeleteValue(key, "missing"));
    EXPECT_EQ(afterSet, reg.Revision());

    EXPECT_EQ(kErrorSuccess, reg.DeleteValue(key, "v"));
    EXPECT_GT(reg.Revision(), afterSet);
    reg.CloseKey(key);
}

// Windows takes key names of up to 255 characters (Wine one more, see the registry suite) and keys 512
// levels deep; a .reg file has no room for a control character in a name. A profile must load what it saved.
TEST(MemoryRegistry, RefusesAtCreationWhatWindowsRefusesOrARegFileCannotCarry) {
    MemoryRegistry reg;
    RegHandle key = 0;
    for (const std::string& path : {"SOFTWARE\\" + std::string(256, 'n'), "SOFTWARE\\Line\nBreak"s,
                                    "SOFTWARE\\Tab\there"s, "SOFTWARE\\Del\x7f"s}) {
        EXPECT_EQ(kErrorInvalidParameter, reg.CreateKey(kHkeyLocalMachine, path.c_str(), &key));
    }
    EXPECT_EQ(nullptr, reg.FindKey(kHkeyLocalMachine, "SOFTWARE"));

    std::string deepest = "k";
    for (int level = 2; level <= 512; ++level) {
        deepest += "\\k";
    }
    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, deepest.c_str(), &key));
    RegHandle deeper = 0;
    EXPECT_EQ(kErrorInvalidParameter, reg.CreateKey(key, "k", &deeper));
    reg.CloseKey(key);

    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, ("SOFTWARE\\" + std::string(255, 'n')).c_str(), &key));
    EXPECT_EQ(kErrorInvalidParameter, SetString(reg, key, "Mode\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n\"x\"", "1"));
    EXPECT_EQ(kErrorSuccess, SetString(reg, key, "Mode", "text\r\nwith a line break"));
    reg.CloseKey(key);

    MemoryRegistry reloaded;
    std::string error;
    EXPECT_TRUE(LoadRegFile(SaveRegFile(reg), reloaded, &error)) << error;
    EXPECT_EQ(SaveRegFile(reg), SaveRegFile(reloaded));
}

TEST(MemoryRegistry, OpenHandleCountFollowsOpensAndCloses) {
    MemoryRegistry reg;
    RegHandle created = 0;
    RegHandle opened = 0;
    RegHandle same = 0;
    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, "A", &created));
    ASSERT_EQ(kErrorSuccess, reg.OpenKeyEx(kHkeyLocalMachine, "A", 0, kKeyRead, &opened));
    EXPECT_EQ(2u, reg.OpenHandleCount());
    // An empty path hands back the handle itself: nothing new to close.
    ASSERT_EQ(kErrorSuccess, reg.OpenKey(created, "", &same));
    EXPECT_EQ(2u, reg.OpenHandleCount());
    RegHandle missing = 0;
    EXPECT_EQ(kErrorFileNotFound, reg.OpenKey(kHkeyLocalMachine, "B", &missing));
    EXPECT_EQ(2u, reg.OpenHandleCount());

    reg.CloseKey(created);
    reg.CloseKey(opened);
    reg.CloseKey(kHkeyLocalMachine);
    EXPECT_EQ(0u, reg.OpenHandleCount());
}

TEST(MemoryRegistry, DeletingAKeyTreeLeavesItsOpenHandlesDangling) {
    MemoryRegistry reg;
    RegHandle inner = 0;
    RegHandle sibling = 0;
    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, "SOFTWARE\\A\\B", &inner));
    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, "SOFTWARE\\C", &sibling));

    EXPECT_TRUE(reg.DeleteKeyTree(kHkeyLocalMachine, "software\\a"));
    EXPECT_EQ(nullptr, reg.FindKey(kHkeyLocalMachine, "SOFTWARE\\A"));
    EXPECT_NE(nullptr, reg.FindKey(kHkeyLocalMachine, "SOFTWARE\\C"));
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorKeyDeleted, reg.QueryValueEx(inner, "", nullptr, nullptr, &size));
    EXPECT_EQ(kErrorKeyDeleted, SetString(reg, inner, "v", "x"));
    EXPECT_EQ(kErrorSuccess, SetString(reg, sibling, "v", "x"));
    EXPECT_EQ(kErrorSuccess, reg.CloseKey(inner));
    reg.CloseKey(sibling);

    EXPECT_FALSE(reg.DeleteKeyTree(kHkeyLocalMachine, "SOFTWARE\\A"));
    EXPECT_FALSE(reg.DeleteKeyTree(kHkeyLocalMachine, ""));
}

// Windows also refuses new subkeys under such a key (it lacks KEY_CREATE_SUB_KEY); Wine 8 does not enforce
// that, so this part is held to Windows' behaviour, not proven under Wine.
TEST(MemoryRegistry, AKeyWithoutWriteRightsRefusesChangesBeneathItButCanBeRead) {
    MemoryRegistry reg;
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Locked\\Existing", &key));
    ASSERT_EQ(kErrorSuccess, SetString(reg, key, "v", "old"));
    reg.CloseKey(key);
    reg.DenyWrites(kHkeyLocalMachine, "SOFTWARE\\Locked");

    RegHandle sub = 0;
    EXPECT_EQ(kErrorAccessDenied, reg.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Locked\\New", &sub));
    EXPECT_EQ(0u, sub);
    EXPECT_EQ(nullptr, reg.FindKey(kHkeyLocalMachine, "SOFTWARE\\Locked\\New"));

    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Locked\\Existing", &key));
    EXPECT_EQ(kErrorAccessDenied, SetString(reg, key, "v", "new"));
    EXPECT_EQ(kErrorAccessDenied, reg.DeleteValue(key, "v"));
    std::string buffer(8, '\0');
    std::uint32_t size = 8;
    EXPECT_EQ(kErrorSuccess,
              reg.QueryValueEx(key, "v", nullptr, reinterpret_cast<std::uint8_t*>(buffer.data()), &size));
    EXPECT_EQ("old\0"s, buffer.substr(0, size));
    reg.CloseKey(key);

    // Writes elsewhere are not affected.
    ASSERT_EQ(kErrorSuccess, reg.CreateKey(kHkeyLocalMachine, "SOFTWARE\\Open", &key));
    EXPECT_EQ(kErrorSuccess, SetString(reg, key, "v", "x"));
    reg.CloseKey(key);
}

TEST(MemoryRegistry, HoldsOnlyTheLocalMachineAndCurrentUserRoots) {
    MemoryRegistry reg;
    RegHandle key = kHkeyClassesRoot;
    EXPECT_EQ(kErrorInvalidHandle, reg.CreateKey(kHkeyClassesRoot, "CLSID", &key));
    EXPECT_EQ(kErrorInvalidHandle, reg.OpenKeyEx(kHkeyClassesRoot, "CLSID", 0, kKeyRead, &key));
    EXPECT_THROW(reg.Root(kHkeyClassesRoot), std::invalid_argument);
    EXPECT_EQ(nullptr, reg.FindKey(kHkeyClassesRoot, ""));

    // The two roots are separate trees.
    reg.MakeKey(kHkeyCurrentUser, "Software\\TSLN");
    EXPECT_NE(nullptr, reg.FindKey(kHkeyCurrentUser, "Software\\TSLN"));
    EXPECT_EQ(nullptr, reg.FindKey(kHkeyLocalMachine, "Software\\TSLN"));
}

TEST(MemoryRegistry, PutValueStoresExactlyTheBytesGivenUnderTheFirstSpellingOfTheName) {
    MemoryRegistry reg;
    MemoryRegistry::Key& key = reg.MakeKey(kHkeyLocalMachine, "SOFTWARE\\TSLN");
    reg.PutValue(key, "ResW1", kRegSz, {'8', '0', '0'});
    reg.PutValue(key, "RESW1", kRegSz, {'6', '4', '0'});
    ASSERT_EQ(1u, key.values.size());
    EXPECT_EQ("ResW1", key.values[0].name);
    EXPECT_EQ(kRegSz, key.values[0].type);
    EXPECT_EQ((std::vector<std::uint8_t>{'6', '4', '0'}), key.values[0].data);
    EXPECT_EQ(&key.values[0], key.FindValue("resw1"));

    EXPECT_TRUE(reg.RemoveValue(key, "resW1"));
    EXPECT_FALSE(reg.RemoveValue(key, "ResW1"));
    EXPECT_TRUE(key.values.empty());

    // Values stay in the order first written, and each is found by name after one before it goes.
    for (const char* name : {"c", "A", "b", "D"}) {
        reg.PutValue(key, name, kRegSz, {'x'});
    }
    EXPECT_TRUE(reg.RemoveValue(key, "a"));
    reg.PutValue(key, "B", kRegDword, {1, 0, 0, 0});
    ASSERT_EQ(3u, key.values.size());
    EXPECT_EQ("c", key.values[0].name);
    EXPECT_EQ("b", key.values[1].name);
    EXPECT_EQ("D", key.values[2].name);
    EXPECT_EQ(&key.values[1], key.FindValue("B"));
    EXPECT_EQ(kRegDword, key.values[1].type);
    EXPECT_EQ(&key.values[2], key.FindValue("d"));
    EXPECT_EQ(nullptr, key.FindValue("A"));
}

// A registry of any depth is freed without recursing: at 300,000 levels the recursive destructor overflowed the
// stack. Deleting such a tree is the same walk.
TEST(MemoryRegistry, FreesAndDeletesKeyTreesOfAnyDepth) {
    std::string path = "deep";
    for (int i = 1; i < 300000; ++i) {
        path += "\\k";
    }
    {
        MemoryRegistry reg;
        reg.MakeKey(kHkeyLocalMachine, path);
        reg.MakeKey(kHkeyCurrentUser, path);
        ASSERT_NE(nullptr, reg.FindKey(kHkeyLocalMachine, path));
        EXPECT_TRUE(reg.DeleteKeyTree(kHkeyCurrentUser, "deep"));
        EXPECT_EQ(nullptr, reg.FindKey(kHkeyCurrentUser, "deep"));
    }
}

}  // namespace
}  // namespace tsln::test
