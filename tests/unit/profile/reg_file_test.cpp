#include "profile/reg_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace tsln::test {
namespace {

using namespace std::string_literals;

std::vector<std::uint8_t> Data(const std::string& bytes) {
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// Bytes as C-like text: printable ASCII as it is, everything else as \xNN.
std::string Show(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    char escaped[5];
    for (std::uint8_t byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out += static_cast<char>(byte);
        } else {
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        }
    }
    return out;
}

void DumpKey(const MemoryRegistry::Key& key, const std::string& path, std::vector<std::string>& lines) {
    if (key.parent != nullptr) {
        lines.push_back(path);
    }
    for (const MemoryRegistry::Value& value : key.values) {
        lines.push_back(path + " | " + (value.name.empty() ? "@" : "\"" + value.name + "\"") + " | " +
                        std::to_string(value.type) + " | " + Show(value.data));
    }
    for (const auto& sub : key.subKeys) {
        DumpKey(*sub.second, path + "\\" + sub.second->name, lines);
    }
}

// The whole registry, one line per key and per value, in sorted order: independent of the writer under test.
std::string Dump(const MemoryRegistry& reg) {
    std::vector<std::string> lines;
    DumpKey(*reg.FindKey(kHkeyCurrentUser, ""), "HKCU", lines);
    DumpKey(*reg.FindKey(kHkeyLocalMachine, ""), "HKLM", lines);
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const std::string& line : lines) {
        out += line + "\n";
    }
    return out;
}

std::string Load(const std::string& text) {
    MemoryRegistry reg;
    std::string error;
    EXPECT_TRUE(LoadRegFile(text, reg, &error)) << error;
    return Dump(reg);
}

std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

// Every syntax the reader takes, once. String data in hex form is written as a REGEDIT4 file has it.
const std::string kBody =
    "\n"
    "; the program's own key\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TSLN]\n"
    "@=\"default\"\n"
    "\"LastDetVersion\"=\"6.14.10.4523\"\n"
    "\"Escapes\"=\"C:\\\\Program Files\\\\\\\"Tessaline\\\"\\\\\"\n"
    "\"quote\\\"in\\\\name\"=\"\"\n"
    "\"High\"=\"\xe9t\xe9 \xff\"\n"
    "\"LoadOnStartup\"=dword:00000001\n"
    "\"Short\"=dword:1a\n"
    "\"Minus\"=dword:FFFFFFFF\n"
    "\"Binary\"=hex:01,02,ff,A0\n"
    "\"Empty\"=hex:\n"
    "\"Expand\"=hex(2):25,53,79,73,25,00\n"
    "\"Multi\"=hex(7):61,00,62,63,00,00\n"
    "\"None\"=hex(0):\n"
    "\"Unterminated\"=hex(1):36,2e,31,34\n"
    "\"Qword\"=hex(b):01,02,03,04,05,06,07,08\n"
    "\"Wrapped\"=hex:00,01,02,\\\n"
    "  03,04,\\\n"
    "\t05\n"
    "  ; an indented comment\n"
    "\"Spaced\" = \"x\"   \n"
    "\n"
    "[HKEY_CURRENT_USER\\Software\\TSLN\\Deep\\Key]\n"
    "\"v\"=\"w\"\n";

const std::string kBodyDump =
    "HKCU\\Software\n"
    "HKCU\\Software\\TSLN\n"
    "HKCU\\Software\\TSLN\\Deep\n"
    "HKCU\\Software\\TSLN\\Deep\\Key\n"
    "HKCU\\Software\\TSLN\\Deep\\Key | \"v\" | 1 | w\\x00\n"
    "HKLM\\SOFTWARE\n"
    "HKLM\\SOFTWARE\\TSLN\n"
    "HKLM\\SOFTWARE\\TSLN | \"Binary\" | 3 | \\x01\\x02\\xff\\xa0\n"
    "HKLM\\SOFTWARE\\TSLN | \"Empty\" | 3 | \n"
    "HKLM\\SOFTWARE\\TSLN | \"Escapes\" | 1 | C:\\x5cProgram Files\\x5c\"Tessaline\"\\x5c\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"Expand\" | 2 | %Sys%\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"High\" | 1 | \\xe9t\\xe9 \\xff\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"LastDetVersion\" | 1 | 6.14.10.4523\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"LoadOnStartup\" | 4 | \\x01\\x00\\x00\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"Minus\" | 4 | \\xff\\xff\\xff\\xff\n"
    "HKLM\\SOFTWARE\\TSLN | \"Multi\" | 7 | a\\x00bc\\x00\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"None\" | 0 | \n"
    "HKLM\\SOFTWARE\\TSLN | \"Qword\" | 11 | \\x01\\x02\\x03\\x04\\x05\\x06\\x07\\x08\n"
    "HKLM\\SOFTWARE\\TSLN | \"Short\" | 4 | \\x1a\\x00\\x00\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"Spaced\" | 1 | x\\x00\n"
    "HKLM\\SOFTWARE\\TSLN | \"Unterminated\" | 1 | 6.14\n"
    "HKLM\\SOFTWARE\\TSLN | \"Wrapped\" | 3 | \\x00\\x01\\x02\\x03\\x04\\x05\n"
    "HKLM\\SOFTWARE\\TSLN | \"quote\"in\\name\" | 1 | \\x00\n"
    "HKLM\\SOFTWARE\\TSLN | @ | 1 | default\\x00\n";

TEST(LoadRegFile, ReadsEverySyntaxOfARegedit4File) {
    EXPECT_EQ(kBodyDump, Load("REGEDIT4\n" + kBody));
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(std::string::npos, at) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

TEST(LoadRegFile, ReadsAVersion5FileWithCrLfLineEndsAndUtf16StringDataTheSameWay) {
    std::string body = Replace(kBody, "hex(2):25,53,79,73,25,00", "hex(2):25,00,53,00,79,00,73,00,25,00,00,00");
    body = Replace(body, "hex(7):61,00,62,63,00,00", "hex(7):61,00,00,00,62,00,63,00,00,00,00,00");
    body = Replace(body, "hex(1):36,2e,31,34", "hex(1):36,00,2e,00,31,00,34,00");
    EXPECT_EQ(kBodyDump, Load(WithCrLf("Windows Registry Editor Version 5.00\n" + body)));
}

TEST(LoadRegFile, TakesUtf16StringDataUpToU00ffAsOneBytePerCharacter) {
    EXPECT_EQ(
        "HKLM\\K\n"
        "HKLM\\K | \"e\" | 2 | \\xe9\\xff\\x00\n"
        "HKLM\\K | \"m\" | 7 | \\x80\\x00\\x00\n"
        "HKLM\\K | \"s\" | 1 | \\xa0\n",
        Load("Windows Registry Editor Version 5.00\n"
             "[HKEY_LOCAL_MACHINE\\K]\n"
             "\"e\"=hex(2):e9,00,ff,00,00,00\n"
             "\"m\"=hex(7):80,00,00,00,00,00\n"
             "\"s\"=hex(1):a0,00\n"));
}

TEST(LoadRegFile, AddsToTheRegistryAndCarriesOutDeletions) {
    MemoryRegistry reg;
    std::string error;
    ASSERT_TRUE(
        LoadRegFile("REGEDIT4\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\A\\B\\C]\n"
                    "\"v\"=\"1\"\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Keep]\n"
                    "\"gone\"=\"1\"\n"
                    "\"kept\"=\"1\"\n",
                    reg, &error))
        << error;
    ASSERT_TRUE(
        LoadRegFile("REGEDIT4\n"
                    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\a\\b]\n"
                    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Never\\There]\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\KEEP]\n"
                    "\"GONE\"=-\n"
                    "\"never there\"=-\n"
                    "\"added\"=dword:2\n"
                    "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Reborn]\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Reborn]\n",
                    reg, &error))
        << error;
    EXPECT_EQ(
        "HKLM\\SOFTWARE\n"
        "HKLM\\SOFTWARE\\A\n"
        "HKLM\\SOFTWARE\\Keep\n"
        "HKLM\\SOFTWARE\\Keep | \"added\" | 4 | \\x02\\x00\\x00\\x00\n"
        "HKLM\\SOFTWARE\\Keep | \"kept\" | 1 | 1\\x00\n"
        "HKLM\\SOFTWARE\\Reborn\n",
        Dump(reg));
}

TEST(LoadRegFile, MatchesNamesWhateverTheirCaseAndKeepsTheFirstSpelling) {
    EXPECT_EQ(
        "HKLM\\Software\n"
        "HKLM\\Software\\Tsln\n"
        "HKLM\\Software\\Tsln | \"ResW1\" | 1 | 800\\x00\n",
        Load("REGEDIT4\n"
             "[HKEY_LOCAL_MACHINE\\Software\\Tsln]\n"
             "\"ResW1\"=\"640\"\n"
             "[hkey_local_machine\\SOFTWARE\\TSLN]\n"
             "\"RESW1\"=\"800\"\n"));
}

TEST(LoadRegFile, RejectsMalformedTextNamingTheLineAndChangesNothing) {
    const std::string v5 = "Windows Registry Editor Version 5.00\r\n";
    const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TSLN]\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"",
         "line 1: not a .reg file: the first line must be \"REGEDIT4\" or "
         "\"Windows Registry Editor Version 5.00\""},
        {"\xef\xbb\xbfREGEDIT4\n",
         "line 1: not a .reg file: the first line must be \"REGEDIT4\" or "
         "\"Windows Registry Editor Version 5.00\""},
        {"\n" + v5,
         "line 1: not a .reg file: the first line must be \"REGEDIT4\" or "
         "\"Windows Registry Editor Version 5.00\""},
        {v5 + "[HKEY_LOCAL_MACHINE\\SOFTWARE\n", "line 2: a key line must end with ']'"},
        {v5 + "[HKEY_CLASSES_ROOT\\CLSID]\n", "line 2: unknown root key \"HKEY_CLASSES_ROOT\""},
        {v5 + "[HKLM\\SOFTWARE]\n", "line 2: unknown root key \"HKLM\""},
        {v5 + "[HKEY_LOCAL_MACHINE\\A\\\\B]\n", "line 2: empty key name in \"HKEY_LOCAL_MACHINE\\A\\\\B\""},
        {v5 + "[HKEY_LOCAL_MACHINE\\A\\]\n", "line 2: empty key name in \"HKEY_LOCAL_MACHINE\\A\\\""},
        {v5 + "[-HKEY_LOCAL_MACHINE]\n", "line 2: a root key cannot be deleted"},
        {v5 + "\"a\"=\"b\"\n", "line 2: value outside a key"},
        {v5 + "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n@=\"b\"\n", "line 3: value outside a key"},
        {v5 + key + "\"a\"\"b\"\n", "line 3: expected '=' after the value name"},
        {v5 + key + "\"a\n", "line 3: missing closing quote"},
        {v5 + key + "\"a\"=\"b\n", "line 3: missing closing quote"},
        {v5 + key + "\"a\"=\"C:\\Windows\"\n",
         "line 3: unknown escape in \"\"C:\\Windows\"\" (only \\\\ and \\\" are allowed)"},
        {v5 + key + "\"a\"=\"b\" ; comment\n", "line 3: unexpected text after the closing quote"},
        {v5 + key + "\"a\"=dword:123456789\n", "line 3: dword: needs 1 to 8 hex digits"},
        {v5 + key + "\"a\"=dword:\n", "line 3: dword: needs 1 to 8 hex digits"},
        {v5 + key + "\"a\"=dword:-1\n", "line 3: dword: needs 1 to 8 hex digits"},
        {v5 + key + "\"a\"=hex:01,zz\n", "line 3: bad hex byte \"zz\""},
        {v5 + key + "\"a\"=hex:01,,02\n", "line 3: bad hex byte \"\""},
        {v5 + key + "\"a\"=hex:01,\n", "line 3: bad hex byte \"\""},
        {v5 + key + "\"a\"=hex:100\n", "line 3: bad hex byte \"100\""},
        {v5 + key + "\"a\"=hex(q):01\n", "line 3: bad type number in \"hex(q)\""},
        {v5 + key + "\"a\"=hex()\n", "line 3: expected hex: or hex(type):"},
        {v5 + key + "\"a\"=hex(2)01\n", "line 3: expected hex: or hex(type):"},
        {v5 + key + "\"a\"=hex(2):61,00,62\n", "line 3: UTF-16 string data with an odd number of bytes"},
        {v5 + key + "\"a\"=hex(7):ac,20,00,00,00,00\n", "line 3: a character above U+00FF in UTF-16 string data"},
        {v5 + key + "\"a\"=hex:01,\\\n", "line 3: the hex data continues past the end of the file"},
        {v5 + key + "\"a\"=text\n", "line 3: unrecognised value data \"text\""},
        {v5 + key + "\"a\"=\n", "line 3: unrecognised value data \"\""},
        {v5 + key + "a=\"b\"\n", "line 3: expected [key], \"name\"=value or @=value"},
        // Comment and blank lines count, and so do continuation lines before the faulty value.
        {v5 + "; comment\n\n" + key + "\"ok\"=hex:01,\\\n  02\n\"bad\"=dword:x\n",
         "line 7: dword: needs 1 to 8 hex digits"},
    };
    for (const auto& [text, message] : cases) {
        // A valid key after the fault must not be applied either (unless the fault is a continuation at the end).
        const bool endsInContinuation = text.size() >= 2 && text.compare(text.size() - 2, 2, "\\\n") == 0;
        const std::string after = endsInContinuation ? "" : "[HKEY_LOCAL_MACHINE\\SOFTWARE\\After]\n";
        MemoryRegistry reg;
        reg.PutValue(reg.MakeKey(kHkeyLocalMachine, "SOFTWARE\\Before"), "v", kRegSz, Data("x\0"s));
        const std::string before = Dump(reg);
        const std::uint64_t revision = reg.Revision();
        std::string error;
        EXPECT_FALSE(LoadRegFile(text + after, reg, &error)) << text;
        EXPECT_EQ(message, error) << text;
        EXPECT_EQ(before, Dump(reg)) << text;
        EXPECT_EQ(revision, reg.Revision()) << text;
    }
}

TEST(SaveRegFile, WritesRegeditsLayoutWithKeysAndValuesSortedWhateverTheirCase) {
    MemoryRegistry reg;
    MemoryRegistry::Key& tsln = reg.MakeKey(kHkeyLocalMachine, "SOFTWARE\\TSLN");
    reg.PutValue(tsln, "ResW1", kRegSz, Data("800\0"s));
    reg.PutValue(tsln, "", kRegSz, Data("default\0"s));
    reg.PutValue(tsln, "LoadOnStartup", kRegDword, Data("\x01\0\0\0"s));
    reg.PutValue(tsln, "name \"quoted\"\\", kRegSz, Data("C:\\tsln\\\"x\"\0"s));
    reg.PutValue(tsln, "NoNul", kRegSz, Data("6.14"));
    reg.PutValue(tsln, "Nuls", kRegSz, Data("a\0b\0"s));
    reg.PutValue(tsln, "EmptyText", kRegSz, Data(""));
    reg.PutValue(tsln, "OnlyNul", kRegSz, Data("\0"s));
    reg.PutValue(tsln, "High", kRegSz, Data("\xe9t\xe9\xff\0"s));
    reg.PutValue(tsln, "Tab", kRegSz, Data("a\tb\0"s));
    reg.PutValue(tsln, "Del", kRegSz, Data("\x7f\0"s));
    reg.PutValue(tsln, "Expand", kRegExpandSz, Data("%A%\0"s));
    reg.PutValue(tsln, "Multi", kRegMultiSz, Data("a\0b\0\0"s));
    reg.PutValue(tsln, "bin", kRegBinary, Data("\x01\xab"s));
    reg.PutValue(tsln, "Odd", kRegDword, Data("\x01\x02"s));
    reg.PutValue(tsln, "None", kRegNone, Data(""));
    reg.PutValue(tsln, "Q", 11, Data("\x01\x02\x03\x04\x05\x06\x07\x08"s));
    reg.MakeKey(kHkeyLocalMachine, "SOFTWARE\\TSLN\\Empty");
    reg.MakeKey(kHkeyLocalMachine, "SOFTWARE\\a");
    reg.PutValue(reg.MakeKey(kHkeyCurrentUser, "Software\\X"), "v", kRegSz, Data("1\0"s));

    EXPECT_EQ(
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software]\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\X]\r\n"
        "\"v\"=\"1\"\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\a]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TSLN]\r\n"
        "@=\"default\"\r\n"
        "\"bin\"=hex:01,ab\r\n"
        "\"Del\"=hex(1):7f,00,00,00\r\n"
        "\"EmptyText\"=hex(1):\r\n"
        "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\r\n"
        "\"High\"=\"\xe9t\xe9\xff\"\r\n"
        "\"LoadOnStartup\"=dword:00000001\r\n"
        "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
        "\"name \\\"quoted\\\"\\\\\"=\"C:\\\\tsln\\\\\\\"x\\\"\"\r\n"
        "\"None\"=hex(0):\r\n"
        "\"NoNul\"=hex(1):36,00,2e,00,31,00,34,00\r\n"
        "\"Nuls\"=hex(1):61,00,00,00,62,00,00,00\r\n"
        "\"Odd\"=hex(4):01,02\r\n"
        "\"OnlyNul\"=\"\"\r\n"
        "\"Q\"=hex(b):01,02,03,04,05,06,07,08\r\n"
        "\"ResW1\"=\"800\"\r\n"
        "\"Tab\"=hex(1):61,00,09,00,62,00,00,00\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\TSLN\\Empty]\r\n"
        "\r\n",
        SaveRegFile(reg));
}

TEST(SaveRegFile, WritesStringDataInHexFormAsSingleBytesInARegedit4File) {
    MemoryRegistry reg;
    MemoryRegistry::Key& key = reg.MakeKey(kHkeyLocalMachine, "SYSTEM\\Driver");
    reg.PutValue(key, "InstalledDisplayDrivers", kRegMultiSz, Data("nv4_disp\0\0"s));
    reg.PutValue(key, "Path", kRegExpandSz, Data("%SystemRoot%\xe9\0"s));
    reg.PutValue(key, "NoNul", kRegSz, Data("6.14"));
    reg.PutValue(key, "Device Description", kRegSz, Data("NVIDIA GeForce4 Ti 4600\0"s));
    reg.PutValue(key, "UseCompressedModeFormat", kRegDword, Data("\x01\0\0\0"s));
    EXPECT_EQ(
        "REGEDIT4\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SYSTEM\\Driver]\r\n"
        "\"Device Description\"=\"NVIDIA GeForce4 Ti 4600\"\r\n"
        "\"InstalledDisplayDrivers\"=hex(7):6e,76,34,5f,64,69,73,70,00,00\r\n"
        "\"NoNul\"=hex(1):36,2e,31,34\r\n"
        "\"Path\"=hex(2):25,53,79,73,74,65,6d,52,6f,6f,74,25,e9,00\r\n"
        "\"UseCompressedModeFormat\"=dword:00000001\r\n"
        "\r\n",
        SaveRegFile(reg, RegFileFormat::kRegedit4));
}

TEST(SaveRegFile, WrapsLongHexDataAtRegeditsWidth) {
    MemoryRegistry reg;
    std::string bytes;
    for (int i = 0; i < 60; ++i) {
        bytes += static_cast<char>(i);
    }
    MemoryRegistry::Key& key = reg.MakeKey(kHkeyLocalMachine, "K");
    reg.PutValue(key, "Big", kRegBinary, Data(bytes));
    reg.PutValue(key, "A much longer value name that fills most of the first line", kRegBinary, Data("\x01\x02"s));
    EXPECT_EQ(
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\K]\r\n"
        "\"A much longer value name that fills most of the first line\"=hex:01,02\r\n"
        "\"Big\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
        "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,2f,\\\r\n"
        "  30,31,32,33,34,35,36,37,38,39,3a,3b\r\n"
        "\r\n",
        SaveRegFile(reg));
}

// A key path of depth names "a", and a version 5 file whose line 3 names it.
std::string Chain(std::size_t depth) {
    std::string path = "a";
    for (std::size_t i = 1; i < depth; ++i) {
        path += "\\a";
    }
    return path;
}

std::string KeyFile(const std::string& line) {
    return "Windows Registry Editor Version 5.00\r\n\r\n" + line + "\r\n\"v\"=\"x\"\r\n";
}

// Windows allows 512 levels and 255 characters a name. Anything beyond is refused at its line before any key
// is made: a 100,000-level key (200 KB) overflowed the stack of the writer, 300,000 levels the destructor's.
TEST(LoadRegFile, RefusesKeysDeeperOrLongerThanWindowsAllows) {
    MemoryRegistry reg;
    std::string error;
    EXPECT_FALSE(LoadRegFile(KeyFile("[HKEY_LOCAL_MACHINE\\" + Chain(100000) + "]"), reg, &error));
    EXPECT_EQ("line 3: a key nested more than 512 levels deep", error);
    EXPECT_FALSE(LoadRegFile(KeyFile("[-HKEY_CURRENT_USER\\" + Chain(513) + "]"), reg, &error));
    EXPECT_EQ("line 3: a key nested more than 512 levels deep", error);
    EXPECT_FALSE(LoadRegFile(KeyFile("[HKEY_LOCAL_MACHINE\\SOFTWARE\\" + std::string(256, 'k') + "\\x]"), reg, &error));
    EXPECT_EQ("line 3: a key name of 256 characters (at most 255)", error);
    EXPECT_EQ(0u, reg.Revision());

    // The limits themselves load, save and load back.
    ASSERT_TRUE(LoadRegFile(KeyFile("[HKEY_LOCAL_MACHINE\\" + Chain(512) + "]"), reg, &error)) << error;
    ASSERT_TRUE(LoadRegFile(KeyFile("[HKEY_CURRENT_USER\\" + std::string(255, 'k') + "]"), reg, &error)) << error;
    MemoryRegistry loaded;
    ASSERT_TRUE(LoadRegFile(SaveRegFile(reg), loaded, &error)) << error;
    EXPECT_EQ(Dump(reg), Dump(loaded));
}

// Keys are written sorted without regard to case, the order in which Windows enumerates them, whatever order
// the file gave. (How long many siblings take: bench/large-registry.sh.)
TEST(RegFile, ManySiblingKeysAndValuesLoadAndSaveInOrder) {
    std::string text = "Windows Registry Editor Version 5.00\r\n\r\n";
    char name[16];
    for (int i = 4999; i >= 0; --i) {
        std::snprintf(name, sizeof name, i % 2 ? "K%05d" : "k%05d", i);
        text += "[HKEY_LOCAL_MACHINE\\S\\" + std::string(name) + "]\r\n";
    }
    text += "[HKEY_LOCAL_MACHINE\\V]\r\n";
    for (int i = 0; i < 5000; ++i) {
        std::snprintf(name, sizeof name, "v%05d", i);
        text += "\"" + std::string(name) + "\"=dword:1\r\n";
    }
    MemoryRegistry reg;
    std::string error;
    ASSERT_TRUE(LoadRegFile(text, reg, &error)) << error;
    const std::string saved = SaveRegFile(reg);

    const std::size_t k0 = saved.find("[HKEY_LOCAL_MACHINE\\S\\k00000]");
    const std::size_t k1 = saved.find("[HKEY_LOCAL_MACHINE\\S\\K00001]");
    const std::size_t k2 = saved.find("[HKEY_LOCAL_MACHINE\\S\\k00002]");
    ASSERT_NE(std::string::npos, k2);
    EXPECT_LT(k0, k1);
    EXPECT_LT(k1, k2);
    EXPECT_EQ(5000u, reg.FindKey(kHkeyLocalMachine, "V")->values.size());
}

TEST(RegFile, ASavedFileLoadsBackToTheSameRegistry) {
    MemoryRegistry reg;
    std::string allBytes;
    for (int c = 0; c <= 0xFF; ++c) {
        allBytes += static_cast<char>(c);
    }
    std::string longText(40000, 'x');
    MemoryRegistry::Key& key = reg.MakeKey(kHkeyLocalMachine, "SOFTWARE\\Round Trip\\Key [1]");
    reg.PutValue(key, "", kRegSz, Data("default\0"s));
    reg.PutValue(key, "@", kRegSz, Data("a value named @\0"s));
    reg.PutValue(key, "\\Device\\Video0", kRegSz, Data("\\Registry\\Machine\\System\0"s));
    reg.PutValue(key, "\"", kRegSz, Data("\"\\\"\0"s));
    reg.PutValue(key, "printable", kRegSz, Data(allBytes.substr(0x20, 0x5F) + allBytes.substr(0x80) + '\0'));
    reg.PutValue(key, "every byte", kRegSz, Data(allBytes));
    reg.PutValue(key, "every byte binary", kRegBinary, Data(allBytes));
    reg.PutValue(key, "every byte expand", kRegExpandSz, Data(allBytes));
    reg.PutValue(key, "every byte multi", kRegMultiSz, Data(allBytes));
    reg.PutValue(key, "unterminated", kRegSz, Data("abc"));
    reg.PutValue(key, "embedded", kRegSz, Data("abc\0def"s));
    reg.PutValue(key, "empty", kRegSz, Data(""));
    reg.PutValue(key, "long", kRegSz, Data(longText + '\0'));
    reg.PutValue(key, "dword", kRegDword, Data("\x78\x56\x34\x12"s));
    reg.PutValue(key, "long dword", kRegDword, Data("\x01\x02\x03\x04\x05"s));
    reg.PutValue(key, "empty dword", kRegDword, Data(""));
    reg.PutValue(key, "big endian", 5, Data("\0\0\0\x01"s));
    reg.PutValue(key, "huge type", 0xFFFF0000u, Data("\x01"s));
    reg.MakeKey(kHkeyLocalMachine, "SOFTWARE\\Round Trip\\Empty\\Nested");
    reg.PutValue(reg.Root(kHkeyLocalMachine), "root value", kRegSz, Data("on the root\0"s));
    reg.PutValue(reg.MakeKey(kHkeyCurrentUser, "Software\\TSLN"), "user", kRegDword, Data("\0\0\0\0"s));

    for (RegFileFormat format : {RegFileFormat::kVersion5, RegFileFormat::kRegedit4}) {
        const std::string saved = SaveRegFile(reg, format);
        MemoryRegistry loaded;
        std::string error;
        ASSERT_TRUE(LoadRegFile(saved, loaded, &error)) << error;
        EXPECT_EQ(Dump(reg), Dump(loaded));
        EXPECT_EQ(saved, SaveRegFile(loaded, format));
        EXPECT_NE(std::string::npos, saved.find("[HKEY_LOCAL_MACHINE]\r\n\"root value\"=\"on the root\"\r\n"));
    }
}

TEST(RegFile, AnEmptyRegistryIsJustTheHeader) {
    MemoryRegistry reg;
    EXPECT_EQ("Windows Registry Editor Version 5.00\r\n\r\n", SaveRegFile(reg));
    MemoryRegistry loaded;
    std::string error;
    EXPECT_TRUE(LoadRegFile(SaveRegFile(reg), loaded, &error)) << error;
    EXPECT_EQ(Dump(reg), Dump(loaded));
}

}  // namespace
}  // namespace tsln::test
