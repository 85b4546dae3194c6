// A .reg file saved from the in-memory registry is how a machine profile can seed a Wine prefix: imported
// with "regedit /S", it must give the real registry the very bytes the in-memory one holds.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32_backends.h"
#include "profile/memory_registry.h"
#include "profile/reg_file.h"
#include "registry_tree_win.h"

namespace tsln::test {
namespace {

using namespace std::string_literals;

const std::string kImportKey = "SOFTWARE\\TSLNImport";

std::vector<std::uint8_t> Data(const std::string& bytes) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

std::string AllBytesFrom(int first) {
    std::string bytes;
    for (int c = first; c <= 0xFF; ++c) {
        bytes += static_cast<char>(c);
    }
    return bytes;
}

// Every kind of value a machine profile holds, and the awkward ones.
void FillSample(MemoryRegistry& memory) {
    MemoryRegistry::Key& profile = memory.MakeKey(kHkeyLocalMachine, kImportKey + "\\Profile");
    memory.PutValue(profile, "", kRegSz, Data("default value\0"s));
    memory.PutValue(profile, "Device Description", kRegSz, Data("NVIDIA GeForce4 Ti 4600\0"s));
    memory.PutValue(profile, "\\Device\\Video0", kRegSz,
                    Data("\\Registry\\Machine\\System\\ControlSet001\\Services\\nv\\Device0\0"s));
    memory.PutValue(profile, "quotes \"and\" backslash \\", kRegSz, Data("say \"hi\" \\\\ there\\\0"s));
    memory.PutValue(profile, "written by RegSetString", kRegSz, Data("6.14.10.4523\0"s));
    memory.PutValue(profile, "without nul", kRegSz, Data("6.14"));
    memory.PutValue(profile, "embedded nul", kRegSz, Data("abc\0def\0"s));
    memory.PutValue(profile, "empty", kRegSz, Data(""));
    memory.PutValue(profile, "only nul", kRegSz, Data("\0"s));
    memory.PutValue(profile, "high bytes", kRegSz, Data(AllBytesFrom(0x80) + '\0'));
    memory.PutValue(profile, "printable", kRegSz, Data(AllBytesFrom(0x20) + '\0'));
    memory.PutValue(profile, "control bytes", kRegSz, Data("\x01\t\r\n\x1f\x7f end\0"s));
    memory.PutValue(profile, "LoadOnStartup", kRegDword, Data("\x01\0\0\0"s));
    memory.PutValue(profile, "minus one", kRegDword, Data("\xff\xff\xff\xff"s));
    memory.PutValue(profile, "eight byte dword", kRegDword, Data("\x01\x02\x03\x04\x05\x06\x07\x08"s));
    memory.PutValue(profile, "short dword", kRegDword, Data("\x01\x02"s));
    memory.PutValue(profile, "binary", kRegBinary, Data("\0"s + AllBytesFrom(1)));
    memory.PutValue(profile, "empty binary", kRegBinary, Data(""));
    memory.PutValue(profile, "expand", kRegExpandSz, Data("%SystemRoot%\\system32\\nv4_disp.dll\0"s));
    memory.PutValue(profile, "expand high", kRegExpandSz, Data(AllBytesFrom(0xA0) + '\0'));
    memory.PutValue(profile, "InstalledDisplayDrivers", kRegMultiSz, Data("nv4_disp\0second\0\0"s));
    memory.PutValue(profile, "multi high", kRegMultiSz, Data("\xe9t\xe9\0\xfc\0\0"s));
    memory.PutValue(profile, "none", kRegNone, Data("\x01\x02"s));
    memory.PutValue(profile, "qword", 11, Data("\x01\x02\x03\x04\x05\x06\x07\x08"s));
    memory.MakeKey(kHkeyLocalMachine, kImportKey + "\\Empty\\Nested");
    MemoryRegistry::Key& mixed = memory.MakeKey(kHkeyLocalMachine, kImportKey + "\\MiXeD CaSe");
    memory.PutValue(mixed, "v", kRegSz, Data("x\0"s));
    // Siblings whose order depends on how names are compared: by case, and around the characters between
    // "Z" and "a".
    for (const char* name : {"b", "A", "_under", "Zed", "[x", "a2", "~tilde", "9"}) {
        memory.MakeKey(kHkeyLocalMachine, kImportKey + "\\Order\\" + name);
    }
    MemoryRegistry::Key& user = memory.MakeKey(kHkeyCurrentUser, "Software\\TSLNImport");
    memory.PutValue(user, "user value", kRegSz, Data("in HKCU\0"s));
}

bool WriteFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && ok;
}

// regedit /S as a child process, waited for; its exit code, or -1 when it did not run.
long RunRegedit(const std::string& file) {
    std::string command = "regedit.exe /S \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &exitCode);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(exitCode);
}

std::string Hex(const std::string& bytes) {
    std::string out;
    char digits[4];
    for (unsigned char c : bytes) {
        std::snprintf(digits, sizeof digits, "%02x ", c);
        out += digits;
    }
    return out;
}

bool IsStringType(std::uint32_t type) {
    return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

// What the real registry holds after the import, given what the in-memory one holds.
using ImportedAs = std::string (*)(const MemoryRegistry::Value& value);

// Compares one key of the in-memory registry, and all below it, with the real one.
void ExpectSameTree(RegistryApi& real, RegHandle root, const std::string& path, const MemoryRegistry::Key& key,
                    ImportedAs importedAs) {
    RegHandle handle = 0;
    ASSERT_EQ(kErrorSuccess, real.OpenKey(root, path.c_str(), &handle)) << "key " << path;
    for (const MemoryRegistry::Value& value : key.values) {
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (real.QueryValueEx(handle, value.name.c_str(), &type, nullptr, &size) != kErrorSuccess) {
            ADD_FAILURE() << "value \"" << value.name << "\" missing under " << path;
            continue;
        }
        std::string bytes(size, '\0');
        real.QueryValueEx(handle, value.name.c_str(), &type, reinterpret_cast<std::uint8_t*>(bytes.data()), &size);
        bytes.resize(size);
        const std::string expected = importedAs(value);
        EXPECT_EQ(value.type, type) << "value \"" << value.name << "\" under " << path;
        EXPECT_EQ(expected, bytes) << "value \"" << value.name << "\" under " << path << "\n  expected "
                                   << Hex(expected) << "\n  actual   " << Hex(bytes);
    }
    DWORD subKeys = 0;
    DWORD values = 0;
    RegQueryInfoKeyA(reinterpret_cast<HKEY>(handle), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                     nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(key.values.size(), values) << "values under " << path;
    EXPECT_EQ(key.subKeys.size(), subKeys) << "subkeys under " << path;
    // Sub-keys enumerate in the same order as the in-memory registry keeps them.
    std::string realOrder;
    std::string memoryOrder;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(reinterpret_cast<HKEY>(handle), i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        realOrder += std::string(name, length) + "|";
    }
    for (const auto& sub : key.subKeys) {
        memoryOrder += sub.second->name + "|";
    }
    EXPECT_EQ(memoryOrder, realOrder) << "subkey order under " << path;
    real.CloseKey(handle);
    for (const auto& sub : key.subKeys) {
        ExpectSameTree(real, root, path + "\\" + sub.second->name, *sub.second, importedAs);
    }
}

class RegeditImport : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override {
        RemoveRegistryTree(kHkeyLocalMachine, kImportKey);
        RemoveRegistryTree(kHkeyCurrentUser, "Software\\TSLNImport");
        if (!file_.empty()) {
            DeleteFileA(file_.c_str());
        }
    }

    void ImportAndCompare(RegFileFormat format, ImportedAs importedAs) {
        MemoryRegistry memory;
        FillSample(memory);
        char tempDir[MAX_PATH] = {};
        ASSERT_NE(0u, GetTempPathA(MAX_PATH, tempDir));
        file_ = std::string(tempDir) + "tsln-regedit-import.reg";
        ASSERT_TRUE(WriteFile(file_, SaveRegFile(memory, format)));

        ASSERT_EQ(0, RunRegedit(file_));

        std::unique_ptr<RegistryApi> real = MakeWin32Registry();
        const MemoryRegistry::Key* machine = memory.FindKey(kHkeyLocalMachine, kImportKey);
        ASSERT_NE(nullptr, machine);
        ExpectSameTree(*real, kHkeyLocalMachine, kImportKey, *machine, importedAs);
        const MemoryRegistry::Key* user = memory.FindKey(kHkeyCurrentUser, "Software\\TSLNImport");
        ASSERT_NE(nullptr, user);
        ExpectSameTree(*real, kHkeyCurrentUser, "Software\\TSLNImport", *user, importedAs);
    }

    std::string file_;
};

TEST_F(RegeditImport, ARegedit4FileImportsToTheSameBytes) {
    ImportAndCompare(RegFileFormat::kRegedit4, [](const MemoryRegistry::Value& value) {
        std::string bytes(value.data.begin(), value.data.end());
        // regedit ends string data in hex form with a NUL when it has none.
        if (IsStringType(value.type) && !bytes.empty() && bytes.back() != '\0') {
            bytes += '\0';
        }
        return bytes;
    });
}

// Wine's regedit takes hex string data as UTF-16LE only in a file that is UTF-16 itself; in our single-byte
// version 5 files it stores the UTF-16LE bytes as characters. This pins that down: the day it changes,
// version 5 files may seed prefixes too.
TEST_F(RegeditImport, AVersion5FileGivesWineItsHexStringDataAsUtf16Bytes) {
    ImportAndCompare(RegFileFormat::kVersion5, [](const MemoryRegistry::Value& value) {
        std::string bytes(value.data.begin(), value.data.end());
        const bool plainText = value.type == kRegSz && !bytes.empty() && bytes.back() == '\0' &&
                               std::all_of(bytes.begin(), bytes.end() - 1, [](char c) {
                                   const auto byte = static_cast<unsigned char>(c);
                                   return byte >= 0x20 && byte != 0x7F;
                               });
        if (!IsStringType(value.type) || plainText) {
            return bytes;
        }
        std::string units;
        for (char c : bytes) {
            units += c;
            units += '\0';
        }
        return units;
    });
}

}  // namespace
}  // namespace tsln::test
