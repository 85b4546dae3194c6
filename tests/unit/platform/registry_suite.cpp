// The registry helpers, and the primitives they rest on, against every backend this build has (see
// registry_suite.h). Each expectation holds on the real registry (the Windows build proves it under Wine);
// the in-memory registry is held to the same.
#include "registry_suite.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <string>

#include "platform/registry_helpers.h"

namespace tsln::test {
namespace {

using namespace std::string_literals;

constexpr RegHandle kRoot = kHkeyLocalMachine;
const std::string kScratch = "SOFTWARE\\TSLNTest";
// Written over outputs to prove a call did or did not touch them.
constexpr RegHandle kUntouchedHandle = 0xdeadbeef;
constexpr std::uint32_t kUntouched = 0xdeadbeef;

std::string Path(const std::string& sub) {
    return kScratch + "\\" + sub;
}

std::uint8_t* Bytes(std::string& text) {
    return reinterpret_cast<std::uint8_t*>(text.data());
}

std::string AllBytesFrom(int first) {
    std::string bytes;
    for (int c = first; c <= 0xFF; ++c) {
        bytes += static_cast<char>(c);
    }
    return bytes;
}

struct Stored {
    bool found = false;
    std::uint32_t type = 0;
    std::string bytes;
};

// Remembers the handles a caller was given and closes, to prove every one was closed.
class HandleCountingRegistry : public RegistryApi {
public:
    explicit HandleCountingRegistry(RegistryApi& inner) : inner_(inner) {}

    long OpenKey(RegHandle root, const char* subKey, RegHandle* result) override {
        const long rc = inner_.OpenKey(root, subKey, result);
        return Opened(rc, *result);
    }
    long OpenKeyEx(RegHandle root, const char* subKey, std::uint32_t options, std::uint32_t access,
                   RegHandle* result) override {
        const long rc = inner_.OpenKeyEx(root, subKey, options, access, result);
        return Opened(rc, *result);
    }
    long CreateKey(RegHandle root, const char* subKey, RegHandle* result) override {
        const long rc = inner_.CreateKey(root, subKey, result);
        return Opened(rc, *result);
    }
    long QueryValueEx(RegHandle key, const char* valueName, std::uint32_t* type, std::uint8_t* data,
                      std::uint32_t* dataSize) override {
        return inner_.QueryValueEx(key, valueName, type, data, dataSize);
    }
    long SetValueEx(RegHandle key, const char* valueName, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t dataSize) override {
        return inner_.SetValueEx(key, valueName, type, data, dataSize);
    }
    long DeleteValue(RegHandle key, const char* valueName) override { return inner_.DeleteValue(key, valueName); }
    long EnumKeyEx(RegHandle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
        return inner_.EnumKeyEx(key, index, name, nameSize);
    }
    long DeleteKey(RegHandle key, const char* subKey) override { return inner_.DeleteKey(key, subKey); }
    long QueryInfoKey(RegHandle key, std::uint32_t* subKeys, std::uint32_t* values) override {
        return inner_.QueryInfoKey(key, subKeys, values);
    }
    long CloseKey(RegHandle key) override {
        auto it = open_.find(key);
        if (it != open_.end() && --it->second == 0) {
            open_.erase(it);
        }
        return inner_.CloseKey(key);
    }

    std::size_t StillOpen() const { return open_.size(); }

private:
    long Opened(long rc, RegHandle handle) {
        // The roots are never opened: an empty path hands them back as they are.
        if (rc == kErrorSuccess && handle != kHkeyLocalMachine && handle != kHkeyCurrentUser) {
            ++open_[handle];
        }
        return rc;
    }

    RegistryApi& inner_;
    std::map<RegHandle, int> open_;
};

class RegistrySuite : public ::testing::TestWithParam<RegistryBackend> {
protected:
    void SetUp() override {
        reg_ = GetParam().make();
        GetParam().removeTree(*reg_, kRoot, kScratch);
    }

    void TearDown() override { GetParam().removeTree(*reg_, kRoot, kScratch); }

    // Stores exactly these bytes. The byte after them in the buffer is not NUL, so the registry has no NUL
    // to add to a string value.
    void Put(const std::string& path, const std::string& name, std::uint32_t type, const std::string& bytes) {
        RegHandle key = 0;
        ASSERT_EQ(kErrorSuccess, reg_->CreateKey(kRoot, path.c_str(), &key));
        std::string buffer = bytes + '\x01';
        EXPECT_EQ(kErrorSuccess,
                  reg_->SetValueEx(key, name.c_str(), type, Bytes(buffer), static_cast<std::uint32_t>(bytes.size())));
        EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));
    }

    Stored Get(const std::string& path, const std::string& name) {
        Stored stored;
        RegHandle key = 0;
        if (reg_->OpenKey(kRoot, path.c_str(), &key) != kErrorSuccess) {
            return stored;
        }
        std::uint32_t size = 0;
        if (reg_->QueryValueEx(key, name.c_str(), &stored.type, nullptr, &size) == kErrorSuccess) {
            std::string bytes(size, '\0');
            if (reg_->QueryValueEx(key, name.c_str(), &stored.type, Bytes(bytes), &size) == kErrorSuccess) {
                bytes.resize(size);
                stored.found = true;
                stored.bytes = bytes;
            }
        }
        reg_->CloseKey(key);
        return stored;
    }

    bool KeyExists(const std::string& path) {
        RegHandle key = 0;
        if (reg_->OpenKeyEx(kRoot, path.c_str(), 0, kKeyRead, &key) != kErrorSuccess) {
            return false;
        }
        reg_->CloseKey(key);
        return true;
    }

    std::unique_ptr<RegistryApi> reg_;
};

// ---- The primitives, as the helpers meet them ----

TEST_P(RegistrySuite, OpeningAMissingKeyFailsAndLeavesNoUsableHandle) {
    RegHandle key = kUntouchedHandle;
    EXPECT_EQ(kErrorFileNotFound, reg_->OpenKey(kRoot, Path("Missing").c_str(), &key));
    EXPECT_EQ(0u, key);
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorInvalidHandle, reg_->QueryValueEx(key, "", nullptr, nullptr, &size));
    EXPECT_EQ(kErrorInvalidHandle, reg_->CloseKey(key));

    key = kUntouchedHandle;
    EXPECT_EQ(kErrorFileNotFound, reg_->OpenKeyEx(kRoot, Path("Missing").c_str(), 0, kKeyRead, &key));
    EXPECT_EQ(0u, key);
}

TEST_P(RegistrySuite, OpenKeyWithNoSubKeyGivesBackTheSameHandle) {
    RegHandle key = kUntouchedHandle;
    EXPECT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, "", &key));
    EXPECT_EQ(kRoot, key);
    key = kUntouchedHandle;
    EXPECT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, nullptr, &key));
    EXPECT_EQ(kRoot, key);
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(kRoot));
    // The handle is not even looked at.
    key = kUntouchedHandle;
    EXPECT_EQ(kErrorSuccess, reg_->OpenKey(0x123450, "", &key));
    EXPECT_EQ(0x123450u, key);

    Put(Path("Same"), "v", kRegDword, "\x07\0\0\0"s);
    RegHandle sub = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("Same").c_str(), &sub));
    RegHandle again = 0;
    EXPECT_EQ(kErrorSuccess, reg_->OpenKey(sub, "", &again));
    EXPECT_EQ(sub, again);

    // RegOpenKeyEx, unlike RegOpenKey, opens a second handle that outlives the first.
    RegHandle second = 0;
    EXPECT_EQ(kErrorSuccess, reg_->OpenKeyEx(sub, "", 0, kKeyRead, &second));
    EXPECT_NE(sub, second);
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(sub));
    std::uint32_t type = 0;
    EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(second, "v", &type, nullptr, nullptr));
    EXPECT_EQ(kRegDword, type);
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(second));
}

TEST_P(RegistrySuite, CreateKeyMakesEveryMissingParentAndOpensExistingKeys) {
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->CreateKey(kRoot, Path("A\\B\\C").c_str(), &key));
    EXPECT_NE(0u, key);
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));
    EXPECT_TRUE(KeyExists(Path("A")));
    EXPECT_TRUE(KeyExists(Path("A\\B")));
    EXPECT_TRUE(KeyExists(Path("A\\B\\C")));

    Put(Path("A\\B"), "kept", kRegBinary, "\x01\x02"s);
    ASSERT_EQ(kErrorSuccess, reg_->CreateKey(kRoot, Path("A\\B").c_str(), &key));
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));
    EXPECT_EQ("\x01\x02"s, Get(Path("A\\B"), "kept").bytes);
}

// Windows takes key names of up to 255 characters; Wine takes 256, and both refuse 257 the same way. (A
// whole path is given relative to an open key: the single-byte functions refuse paths over 260 characters.)
TEST_P(RegistrySuite, AKeyNameTooLongIsRefused) {
    RegHandle scratch = 0;
    ASSERT_EQ(kErrorSuccess, reg_->CreateKey(kRoot, kScratch.c_str(), &scratch));
    RegHandle key = 0;
    EXPECT_EQ(kErrorInvalidParameter, reg_->CreateKey(scratch, std::string(257, 'n').c_str(), &key));
    ASSERT_EQ(kErrorSuccess, reg_->CreateKey(scratch, std::string(255, 'n').c_str(), &key));
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(scratch));
}

TEST_P(RegistrySuite, KeyAndValueNamesIgnoreCase) {
    Put(Path("MixedCase\\Sub"), "ValueName", kRegDword, "\x01\0\0\0"s);
    EXPECT_TRUE(KeyExists(Path("mixedcase\\SUB")));
    Stored stored = Get(Path("MIXEDCASE\\sub"), "valuename");
    EXPECT_TRUE(stored.found);
    EXPECT_EQ("\x01\0\0\0"s, stored.bytes);

    // Writing under another spelling replaces the value rather than adding a second one.
    Put(Path("mixedCASE\\sub"), "VALUENAME", kRegDword, "\x02\0\0\0"s);
    EXPECT_EQ("\x02\0\0\0"s, Get(Path("MixedCase\\Sub"), "ValueName").bytes);
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("MixedCase\\Sub").c_str(), &key));
    EXPECT_EQ(kErrorSuccess, reg_->DeleteValue(key, "valueNAME"));
    EXPECT_EQ(kErrorFileNotFound, reg_->DeleteValue(key, "ValueName"));
    reg_->CloseKey(key);
}

TEST_P(RegistrySuite, AnEmptyOrNullValueNameIsTheDefaultValue) {
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->CreateKey(kRoot, Path("Default").c_str(), &key));
    std::string data = "\x05\0\0\0"s;
    EXPECT_EQ(kErrorSuccess, reg_->SetValueEx(key, nullptr, kRegDword, Bytes(data), 4));
    std::uint32_t type = kUntouched;
    std::uint32_t size = kUntouched;
    EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "", &type, nullptr, &size));
    EXPECT_EQ(kRegDword, type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(kErrorSuccess, reg_->DeleteValue(key, ""));
    EXPECT_EQ(kErrorFileNotFound, reg_->QueryValueEx(key, nullptr, &type, nullptr, &size));
    reg_->CloseKey(key);
}

TEST_P(RegistrySuite, QueryReportsTypeAndSizeAndAsksForMoreRoomWhenTheBufferIsShort) {
    Put(Path("Query"), "bin", kRegBinary, "\x10\x20\x30\x40\x50"s);
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("Query").c_str(), &key));

    std::uint32_t type = kUntouched;
    std::uint32_t size = kUntouched;
    EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "bin", &type, nullptr, &size));
    EXPECT_EQ(kRegBinary, type);
    EXPECT_EQ(5u, size);

    std::string buffer(8, '\x7f');
    size = 4;
    EXPECT_EQ(kErrorMoreData, reg_->QueryValueEx(key, "bin", &type, Bytes(buffer), &size));
    EXPECT_EQ(5u, size);

    size = 8;
    EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "bin", &type, Bytes(buffer), &size));
    EXPECT_EQ(5u, size);
    EXPECT_EQ("\x10\x20\x30\x40\x50\x7f\x7f\x7f"s, buffer);

    size = kUntouched;
    EXPECT_EQ(kErrorFileNotFound, reg_->QueryValueEx(key, "nothing", &type, nullptr, &size));
    reg_->CloseKey(key);
}

TEST_P(RegistrySuite, AStringReadIntoARoomierBufferGetsATerminatingNul) {
    for (std::uint32_t type : {kRegSz, kRegExpandSz, kRegMultiSz}) {
        Put(Path("Query"), "unterminated", type, "abc");
        Put(Path("Query"), "terminated", type, "ab\0"s);
        RegHandle key = 0;
        ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("Query").c_str(), &key));
        std::string buffer(6, '\x7f');
        std::uint32_t size = 6;
        EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "unterminated", nullptr, Bytes(buffer), &size));
        EXPECT_EQ(3u, size);
        EXPECT_EQ("abc\0\x7f\x7f"s, buffer) << "type " << type;

        // Exactly the room the data needs, or data that ends in NUL already: nothing is written past it.
        buffer.assign(6, '\x7f');
        size = 3;
        EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "unterminated", nullptr, Bytes(buffer), &size));
        EXPECT_EQ("abc\x7f\x7f\x7f"s, buffer) << "type " << type;
        buffer.assign(6, '\x7f');
        size = 6;
        EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "terminated", nullptr, Bytes(buffer), &size));
        EXPECT_EQ("ab\0\x7f\x7f\x7f"s, buffer) << "type " << type;
        reg_->CloseKey(key);
    }

    Put(Path("Query"), "bin", kRegBinary, "abc");
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("Query").c_str(), &key));
    std::string buffer(6, '\x7f');
    std::uint32_t size = 6;
    EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "bin", nullptr, Bytes(buffer), &size));
    EXPECT_EQ("abc\x7f\x7f\x7f"s, buffer);
    reg_->CloseKey(key);
}

TEST_P(RegistrySuite, AStringWrittenWithoutItsNulGetsTheNulThatFollowsInTheBuffer) {
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->CreateKey(kRoot, Path("Nul").c_str(), &key));
    std::string followedByNul = "abc\0"s;
    std::string followedByOther = "abcX";
    for (std::uint32_t type : {kRegSz, kRegExpandSz, kRegMultiSz}) {
        EXPECT_EQ(kErrorSuccess, reg_->SetValueEx(key, "nul", type, Bytes(followedByNul), 3));
        EXPECT_EQ(kErrorSuccess, reg_->SetValueEx(key, "other", type, Bytes(followedByOther), 3));
        EXPECT_EQ("abc\0"s, Get(Path("Nul"), "nul").bytes) << "type " << type;
        EXPECT_EQ("abc", Get(Path("Nul"), "other").bytes) << "type " << type;
    }
    // Only string types, and only a missing NUL, are completed.
    EXPECT_EQ(kErrorSuccess, reg_->SetValueEx(key, "bin", kRegBinary, Bytes(followedByNul), 3));
    EXPECT_EQ("abc", Get(Path("Nul"), "bin").bytes);
    std::string twoNuls = "ab\0\0"s;
    EXPECT_EQ(kErrorSuccess, reg_->SetValueEx(key, "ends", kRegSz, Bytes(twoNuls), 3));
    EXPECT_EQ("ab\0"s, Get(Path("Nul"), "ends").bytes);
    EXPECT_EQ(kErrorSuccess, reg_->SetValueEx(key, "empty", kRegSz, Bytes(followedByNul), 0));
    EXPECT_EQ("", Get(Path("Nul"), "empty").bytes);
    reg_->CloseKey(key);
}

TEST_P(RegistrySuite, ValuesKeepTheirBytesAndType) {
    const std::string withNuls = "abc\0def\0\0"s;
    const std::string binary = "\0"s + AllBytesFrom(1);
    Put(Path("Bytes"), "sz", kRegSz, withNuls);
    Put(Path("Bytes"), "bin", kRegBinary, binary);
    Put(Path("Bytes"), "empty", kRegBinary, "");
    Put(Path("Bytes"), "qword as dword", kRegDword, "\x01\x02\x03\x04\x05\x06\x07\x08"s);
    Put(Path("Bytes"), "none", kRegNone, "\x09"s);
    Put(Path("Bytes"), "type 11", 11, "12345678");

    const std::map<std::string, std::pair<std::uint32_t, std::string>> expected = {
        {"sz", {kRegSz, withNuls}},    {"bin", {kRegBinary, binary}},
        {"empty", {kRegBinary, ""}},   {"qword as dword", {kRegDword, "\x01\x02\x03\x04\x05\x06\x07\x08"s}},
        {"none", {kRegNone, "\x09"s}}, {"type 11", {11, "12345678"}},
    };
    for (const auto& [name, value] : expected) {
        Stored stored = Get(Path("Bytes"), name);
        EXPECT_TRUE(stored.found) << name;
        EXPECT_EQ(value.first, stored.type) << name;
        EXPECT_EQ(value.second, stored.bytes) << name;
    }
}

TEST_P(RegistrySuite, DeletingAValueLeavesTheKeyAndMissingValuesAreReported) {
    Put(Path("Delete"), "gone", kRegSz, "x");
    Put(Path("Delete"), "stays", kRegSz, "y");
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("Delete").c_str(), &key));
    EXPECT_EQ(kErrorSuccess, reg_->DeleteValue(key, "gone"));
    EXPECT_EQ(kErrorFileNotFound, reg_->DeleteValue(key, "gone"));
    EXPECT_EQ(kErrorFileNotFound, reg_->DeleteValue(key, "never"));
    reg_->CloseKey(key);
    EXPECT_FALSE(Get(Path("Delete"), "gone").found);
    EXPECT_EQ("y", Get(Path("Delete"), "stays").bytes);
}

TEST_P(RegistrySuite, ClosedAndMadeUpHandlesAreInvalid) {
    Put(Path("Handles"), "v", kRegSz, "x");
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("Handles").c_str(), &key));
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorInvalidHandle, reg_->QueryValueEx(key, "v", nullptr, nullptr, &size));
    EXPECT_EQ(kErrorInvalidHandle, reg_->CloseKey(key));
    std::string data = "y";
    EXPECT_EQ(kErrorInvalidHandle, reg_->SetValueEx(0, "v", kRegSz, Bytes(data), 1));
    EXPECT_EQ(kErrorInvalidHandle, reg_->DeleteValue(0, "v"));
    EXPECT_EQ(kErrorInvalidHandle, reg_->CloseKey(0));
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(kHkeyCurrentUser));

    RegHandle result = kUntouchedHandle;
    EXPECT_EQ(kErrorInvalidHandle, reg_->OpenKey(0x123450, "Sub", &result));
    EXPECT_EQ(0u, result);
    result = kUntouchedHandle;
    EXPECT_EQ(kErrorInvalidHandle, reg_->CreateKey(0x123450, "Sub", &result));
    EXPECT_EQ(0u, result);
}

TEST_P(RegistrySuite, AHandleOpenedForReadingCannotWrite) {
    Put(Path("ReadOnly"), "v", kRegSz, "old");
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKeyEx(kRoot, Path("ReadOnly").c_str(), 0, kKeyRead, &key));
    std::string data = "new";
    EXPECT_EQ(kErrorAccessDenied, reg_->SetValueEx(key, "v", kRegSz, Bytes(data), 3));
    EXPECT_EQ(kErrorAccessDenied, reg_->DeleteValue(key, "v"));
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorSuccess, reg_->QueryValueEx(key, "v", nullptr, nullptr, &size));
    reg_->CloseKey(key);
    EXPECT_EQ("old", Get(Path("ReadOnly"), "v").bytes);
}

TEST_P(RegistrySuite, RepeatedAndTrailingBackslashesInAPathAreSkippedButALeadingOneIsAnError) {
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->CreateKey(kRoot, (kScratch + "\\\\Slashes\\Sub\\").c_str(), &key));
    reg_->CloseKey(key);
    EXPECT_TRUE(KeyExists(Path("Slashes\\Sub")));
    EXPECT_TRUE(KeyExists(Path("Slashes\\\\Sub\\")));

    key = kUntouchedHandle;
    EXPECT_EQ(kErrorBadPathname, reg_->OpenKey(kRoot, ("\\" + Path("Slashes")).c_str(), &key));
    EXPECT_EQ(0u, key);
    key = kUntouchedHandle;
    EXPECT_EQ(kErrorBadPathname, reg_->CreateKey(kRoot, ("\\" + Path("Leading")).c_str(), &key));
    EXPECT_EQ(0u, key);
    EXPECT_FALSE(KeyExists(Path("Leading")));
}

TEST_P(RegistrySuite, SubKeysAreEnumeratedByNameWithoutRegardToCaseAndKeepTheirSpelling) {
    for (const char* name : {"b", "Default_Monitor", "a&0", "C"}) {
        Put(Path("Enum\\") + name + "\\Device Parameters", "v", kRegDword, "\x01\0\0\0"s);
    }
    RegHandle key = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKeyEx(kRoot, Path("Enum").c_str(), 0, kKeyRead, &key));
    std::string names;
    for (std::uint32_t index = 0; index < 4; ++index) {
        char name[32];
        std::fill(std::begin(name), std::end(name), 'x');
        std::uint32_t size = sizeof name;
        EXPECT_EQ(kErrorSuccess, reg_->EnumKeyEx(key, index, name, &size));
        EXPECT_EQ(std::strlen(name), size);
        names += std::string(name) + ";";
    }
    EXPECT_EQ("a&0;b;C;Default_Monitor;", names);
    char name[32] = "";
    std::uint32_t size = sizeof name;
    EXPECT_EQ(kErrorNoMoreItems, reg_->EnumKeyEx(key, 4, name, &size));

    // Room for the name but not its NUL is too little; with the NUL it is enough.
    size = 15;
    EXPECT_EQ(kErrorMoreData, reg_->EnumKeyEx(key, 3, name, &size));
    size = 16;
    EXPECT_EQ(kErrorSuccess, reg_->EnumKeyEx(key, 3, name, &size));
    EXPECT_EQ(15u, size);
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));

    // A key without sub-keys has nothing at index 0; a handle opened only for values may not enumerate.
    ASSERT_EQ(kErrorSuccess, reg_->OpenKeyEx(kRoot, Path("Enum\\b\\Device Parameters").c_str(), 0, kKeyRead, &key));
    size = sizeof name;
    EXPECT_EQ(kErrorNoMoreItems, reg_->EnumKeyEx(key, 0, name, &size));
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));
    ASSERT_EQ(kErrorSuccess, reg_->OpenKeyEx(kRoot, Path("Enum").c_str(), 0, kKeyQueryValue, &key));
    size = sizeof name;
    EXPECT_EQ(kErrorAccessDenied, reg_->EnumKeyEx(key, 0, name, &size));
    EXPECT_EQ(kErrorSuccess, reg_->CloseKey(key));
}

// ---- RegGetString ----

TEST_P(RegistrySuite, RegGetStringReadsTheTextUpToTheFirstNul) {
    const std::map<std::string, std::pair<std::string, std::string>> cases = {
        // name: stored bytes, text read
        {"terminated", {"6.14.10.4523\0"s, "6.14.10.4523"}},
        {"unterminated", {"6.14.10.4523", "6.14.10.4523"}},
        {"embedded nul", {"abc\0def\0"s, "abc"}},
        {"leading nul", {"\0abc"s, ""}},
        {"empty", {"", ""}},
        {"only nul", {"\0"s, ""}},
        {"spaces", {"  padded  ", "  padded  "}},
    };
    for (const auto& [name, value] : cases) {
        Put(Path("Strings"), name, kRegSz, value.first);
    }
    for (const auto& [name, value] : cases) {
        EXPECT_EQ(value.second, RegGetString(*reg_, kRoot, Path("Strings"), name, "default")) << name;
    }
}

TEST_P(RegistrySuite, RegGetStringGivesTheDefaultForOtherTypesAndMissingData) {
    Put(Path("Types"), "expand", kRegExpandSz, "%SystemRoot%\0"s);
    Put(Path("Types"), "multi", kRegMultiSz, "nv4_disp\0\0"s);
    Put(Path("Types"), "dword", kRegDword, "\x01\0\0\0"s);
    Put(Path("Types"), "binary", kRegBinary, "text");
    Put(Path("Types"), "none", kRegNone, "text\0"s);
    for (const char* name : {"expand", "multi", "dword", "binary", "none", "missing"}) {
        EXPECT_EQ("default", RegGetString(*reg_, kRoot, Path("Types"), name, "default")) << name;
    }
    EXPECT_EQ("default", RegGetString(*reg_, kRoot, Path("Missing"), "v", "default"));
    EXPECT_EQ("", RegGetString(*reg_, kRoot, Path("Missing"), "v", ""));
    EXPECT_FALSE(KeyExists(Path("Missing")));
}

TEST_P(RegistrySuite, RegGetStringReturnsLongTextWhole) {
    std::string text;
    for (int i = 0; text.size() < 40000; ++i) {
        text += std::to_string(i) + ",";
    }
    text.resize(40000);
    Put(Path("Long"), "with nul", kRegSz, text + '\0');
    Put(Path("Long"), "without nul", kRegSz, text);
    EXPECT_EQ(text, RegGetString(*reg_, kRoot, Path("Long"), "with nul", ""));
    EXPECT_EQ(text, RegGetString(*reg_, kRoot, Path("Long"), "without nul", ""));
}

// ---- RegSetString ----

TEST_P(RegistrySuite, RegSetStringCreatesThePathAndStoresTheText) {
    RegSetString(*reg_, kRoot, Path("New\\Deeper\\Key"), "LastDetVersion", "6.14.10.4523");
    Stored stored = Get(Path("New\\Deeper\\Key"), "LastDetVersion");
    ASSERT_TRUE(stored.found);
    EXPECT_EQ(kRegSz, stored.type);
    // The helper counts no NUL, the registry keeps the one that ends the text in memory.
    EXPECT_EQ("6.14.10.4523\0"s, stored.bytes);
    EXPECT_EQ("6.14.10.4523", RegGetString(*reg_, kRoot, Path("New\\Deeper\\Key"), "LastDetVersion", "default"));

    RegSetString(*reg_, kRoot, Path("New"), "empty", "");
    stored = Get(Path("New"), "empty");
    EXPECT_TRUE(stored.found);
    EXPECT_EQ(kRegSz, stored.type);
    EXPECT_EQ("", stored.bytes);
    EXPECT_EQ("", RegGetString(*reg_, kRoot, Path("New"), "empty", "default"));
}

TEST_P(RegistrySuite, RegSetStringReplacesAValueOfAnyType) {
    Put(Path("Replace"), "ResW1", kRegDword, "\x20\x03\0\0"s);
    RegSetString(*reg_, kRoot, Path("Replace"), "resw1", "800");
    Stored stored = Get(Path("Replace"), "ResW1");
    EXPECT_EQ(kRegSz, stored.type);
    EXPECT_EQ("800\0"s, stored.bytes);
    RegSetString(*reg_, kRoot, Path("Replace"), "ResW1", "1024");
    EXPECT_EQ("1024\0"s, Get(Path("Replace"), "ResW1").bytes);
}

TEST_P(RegistrySuite, StringsKeepEveryByteFrom0x20To0xFF) {
    const std::string text = AllBytesFrom(0x20);
    RegSetString(*reg_, kRoot, Path("Bytes"), "high", text);
    EXPECT_EQ(text + '\0', Get(Path("Bytes"), "high").bytes);
    EXPECT_EQ(text, RegGetString(*reg_, kRoot, Path("Bytes"), "high", ""));
}

TEST_P(RegistrySuite, HelpersFindKeysAndValuesWhateverTheirCase) {
    RegSetString(*reg_, kRoot, Path("TSLN"), "LastDetVersion", "41.09");
    EXPECT_EQ("41.09", RegGetString(*reg_, kRoot, "software\\tslntest\\tsln", "LASTDETVERSION", ""));
    RegSetDword(*reg_, kRoot, Path("tsln"), "loadonstartup", 1);
    EXPECT_EQ(1, RegGetDword(*reg_, kRoot, Path("TSLN"), "LoadOnStartup", 0));
    RegDeleteValue(*reg_, kRoot, Path("Tsln"), "LASTdetVERSION");
    EXPECT_FALSE(Get(Path("TSLN"), "LastDetVersion").found);
}

// ---- RegGetDword and RegSetDword ----

TEST_P(RegistrySuite, RegGetDwordReadsOnlyADwordThatFitsFourBytes) {
    Put(Path("Dwords"), "one", kRegDword, "\x01\0\0\0"s);
    Put(Path("Dwords"), "minus one", kRegDword, "\xff\xff\xff\xff"s);
    Put(Path("Dwords"), "high", kRegDword, "\x78\x56\x34\x12"s);
    Put(Path("Dwords"), "two bytes", kRegDword, "\x34\x12"s);
    Put(Path("Dwords"), "eight bytes", kRegDword, "\x01\0\0\0\0\0\0\0"s);
    Put(Path("Dwords"), "binary", kRegBinary, "\x01\0\0\0"s);
    Put(Path("Dwords"), "big endian", 5, "\0\0\0\x01"s);
    Put(Path("Dwords"), "text", kRegSz, "1\0"s);
    const std::map<std::string, std::int32_t> expected = {
        {"one", 1},     {"minus one", -1},  {"high", 0x12345678}, {"two bytes", 0x1234}, {"eight bytes", -7},
        {"binary", -7}, {"big endian", -7}, {"text", -7},         {"missing", -7},
    };
    for (const auto& [name, number] : expected) {
        EXPECT_EQ(number, RegGetDword(*reg_, kRoot, Path("Dwords"), name, -7)) << name;
    }
    EXPECT_EQ(-7, RegGetDword(*reg_, kRoot, Path("Missing"), "one", -7));
    EXPECT_FALSE(KeyExists(Path("Missing")));
}

TEST_P(RegistrySuite, RegSetDwordCreatesThePathAndStoresFourBytesLeastSignificantFirst) {
    RegSetDword(*reg_, kRoot, Path("New\\TSLN"), "LoadOnStartup", 1);
    RegSetDword(*reg_, kRoot, Path("New\\TSLN"), "Negative", -2);
    Stored stored = Get(Path("New\\TSLN"), "LoadOnStartup");
    EXPECT_EQ(kRegDword, stored.type);
    EXPECT_EQ("\x01\0\0\0"s, stored.bytes);
    stored = Get(Path("New\\TSLN"), "Negative");
    EXPECT_EQ(kRegDword, stored.type);
    EXPECT_EQ("\xfe\xff\xff\xff"s, stored.bytes);
    EXPECT_EQ(-2, RegGetDword(*reg_, kRoot, Path("New\\TSLN"), "Negative", 0));

    Put(Path("New\\TSLN"), "WasText", kRegSz, "1\0"s);
    RegSetDword(*reg_, kRoot, Path("New\\TSLN"), "WasText", 0x01020304);
    stored = Get(Path("New\\TSLN"), "WasText");
    EXPECT_EQ(kRegDword, stored.type);
    EXPECT_EQ("\x04\x03\x02\x01"s, stored.bytes);
}

// ---- RegDeleteValue ----

TEST_P(RegistrySuite, RegDeleteValueRemovesOnlyTheValue) {
    RegSetString(*reg_, kRoot, Path("Run"), "TSLN", "C:\\tsln.exe /startup");
    RegSetString(*reg_, kRoot, Path("Run"), "Other", "other.exe");
    RegDeleteValue(*reg_, kRoot, Path("Run"), "TSLN");
    EXPECT_FALSE(Get(Path("Run"), "TSLN").found);
    EXPECT_EQ("other.exe\0"s, Get(Path("Run"), "Other").bytes);

    RegDeleteValue(*reg_, kRoot, Path("Run"), "Other");
    EXPECT_TRUE(KeyExists(Path("Run")));
}

TEST_P(RegistrySuite, RegDeleteValueOfSomethingMissingChangesNothing) {
    RegSetString(*reg_, kRoot, Path("Run"), "Other", "other.exe");
    RegDeleteValue(*reg_, kRoot, Path("Run"), "TSLN");
    RegDeleteValue(*reg_, kRoot, Path("Missing"), "TSLN");
    EXPECT_EQ("other.exe\0"s, Get(Path("Run"), "Other").bytes);
    EXPECT_FALSE(KeyExists(Path("Missing")));
}

TEST_P(RegistrySuite, TheHelpersForExistingKeysNeverMakeOne) {
    std::string list = "S 640x480=8000;";
    const auto size = static_cast<std::uint32_t>(list.size() + 1);
    Put(Path("Driver"), "Other", kRegSz, "x");
    EXPECT_TRUE(RegKeyExists(*reg_, kRoot, Path("Driver")));
    EXPECT_EQ(kErrorSuccess,
              RegSetExistingValue(*reg_, kRoot, Path("Driver"), "NV25_Modes", kRegSz, Bytes(list), size));
    EXPECT_EQ(list + '\0', Get(Path("Driver"), "NV25_Modes").bytes);
    EXPECT_FALSE(RegKeyExists(*reg_, kRoot, Path("Gone")));
    EXPECT_EQ(kErrorFileNotFound,
              RegSetExistingValue(*reg_, kRoot, Path("Gone"), "NV25_Modes", kRegSz, Bytes(list), size));
    EXPECT_FALSE(KeyExists(Path("Gone")));
}

TEST_P(RegistrySuite, AKeyGoesWithItsValuesOnlyOnceItHasNoSubKeysAndOnlyEmptyByTheHelper) {
    Put(Path("Monitors\\A"), "Limits", kRegSz, "30-96 50-160");
    Put(Path("Monitors\\A\\Sub"), "v", kRegSz, "x");
    RegHandle parent = 0;
    RegHandle inside = 0;
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(kRoot, Path("Monitors").c_str(), &parent));
    std::uint32_t subKeys = kUntouched;
    std::uint32_t values = kUntouched;
    EXPECT_EQ(kErrorSuccess, reg_->QueryInfoKey(parent, &subKeys, &values));
    EXPECT_EQ(1u, subKeys);
    EXPECT_EQ(0u, values);
    EXPECT_EQ(kErrorAccessDenied, reg_->DeleteKey(parent, "A"));
    EXPECT_EQ(kErrorSuccess, reg_->DeleteKey(parent, "A\\Sub"));
    ASSERT_EQ(kErrorSuccess, reg_->OpenKey(parent, "A", &inside));
    EXPECT_EQ(kErrorSuccess, reg_->QueryInfoKey(inside, &subKeys, &values));
    EXPECT_EQ(0u, subKeys);
    EXPECT_EQ(1u, values);
    EXPECT_EQ(kErrorSuccess, reg_->DeleteKey(parent, "a"));
    std::uint32_t size = 0;
    EXPECT_EQ(kErrorKeyDeleted, reg_->QueryValueEx(inside, "Limits", nullptr, nullptr, &size));
    EXPECT_EQ(kErrorFileNotFound, reg_->DeleteKey(parent, "A"));
    reg_->CloseKey(inside);
    reg_->CloseKey(parent);
    EXPECT_FALSE(KeyExists(Path("Monitors\\A")));

    HandleCountingRegistry counting(*reg_);
    RegSetString(counting, kRoot, Path("Monitors\\B\\C"), "v", "x");
    for (const std::string& path : {Path("Monitors\\B"), Path("Monitors\\B\\C"), Path("Missing"), std::string()})
        RegDeleteEmptyKey(counting, kRoot, path);
    EXPECT_TRUE(KeyExists(Path("Monitors\\B\\C")));
    RegDeleteValue(counting, kRoot, Path("Monitors\\B\\C"), "v");
    RegDeleteEmptyKey(counting, kRoot, Path("Monitors\\B\\C"));
    EXPECT_FALSE(KeyExists(Path("Monitors\\B\\C")));
    EXPECT_TRUE(KeyExists(Path("Monitors\\B")));
    EXPECT_EQ(0u, counting.StillOpen());
}

// ---- Every path of every helper ----

TEST_P(RegistrySuite, HelpersCloseEveryHandleTheyOpen) {
    HandleCountingRegistry counting(*reg_);
    Put(Path("Handles"), "sz", kRegSz, "text");
    Put(Path("Handles"), "dword", kRegDword, "\x01\0\0\0"s);
    for (const std::string& path : {Path("Handles"), Path("Missing"), std::string()}) {
        for (const char* name : {"sz", "dword", "missing"}) {
            RegGetString(counting, kRoot, path, name, "");
            RegGetDword(counting, kRoot, path, name, 0);
        }
        RegDeleteValue(counting, kRoot, path, "missing");
    }
    std::string text = "text";
    RegKeyExists(counting, kRoot, Path("Handles"));
    RegSetExistingValue(counting, kRoot, Path("Handles"), "sz", kRegSz, Bytes(text), 4);
    RegSetString(counting, kRoot, Path("Handles\\New"), "sz", "text");
    RegSetDword(counting, kRoot, Path("Handles\\New"), "dword", 1);
    RegDeleteValue(counting, kRoot, Path("Handles\\New"), "sz");
    EXPECT_EQ(0u, counting.StillOpen());
    if (GetParam().openHandles) {
        EXPECT_EQ(0u, GetParam().openHandles(*reg_));
    }
}

TEST_P(RegistrySuite, WritesToAKeyWithoutWriteRightsAreDroppedSilently) {
    if (!GetParam().denyWrites) {
        GTEST_SKIP() << "this backend cannot take write rights away";
    }
    RegSetString(*reg_, kRoot, Path("Locked"), "ResW1", "640");
    RegSetDword(*reg_, kRoot, Path("Locked"), "LoadOnStartup", 1);
    GetParam().denyWrites(*reg_, kRoot, Path("Locked"));

    RegSetString(*reg_, kRoot, Path("Locked"), "ResW1", "800");
    RegSetString(*reg_, kRoot, Path("Locked"), "ResH1", "600");
    RegSetDword(*reg_, kRoot, Path("Locked"), "LoadOnStartup", 0);
    RegDeleteValue(*reg_, kRoot, Path("Locked"), "ResW1");

    EXPECT_EQ("640", RegGetString(*reg_, kRoot, Path("Locked"), "ResW1", ""));
    EXPECT_EQ("none", RegGetString(*reg_, kRoot, Path("Locked"), "ResH1", "none"));
    EXPECT_EQ(1, RegGetDword(*reg_, kRoot, Path("Locked"), "LoadOnStartup", 0));
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistrySuite, ::testing::ValuesIn(RegistryBackends()),
                         [](const ::testing::TestParamInfo<RegistryBackend>& param) { return param.param.name; });

}  // namespace
}  // namespace tsln::test
