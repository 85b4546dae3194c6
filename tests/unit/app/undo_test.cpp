// Undo of the last change: the record each write keeps, the restore from the
// menu and from "/undo", and that a record that cannot be kept stops the write.
#include "app/undo.h"

#include <gtest/gtest.h>

#include "fakes.h"
#include "settings/stored_value.h"

namespace tsln::test {
namespace {

constexpr char kUndoKey[] = "SOFTWARE\\TSLN\\Undo";
constexpr char kValue[] = "NV25_Modes_Delta";
const ShownMessage kQuestion{"Restore the mode list as it was before the change of 2026-12-07 13:05:09?",
                             MsgButtons::YesNoDefaultNo, MsgIcon::Question};
const ShownMessage kRestored{"Mode list restored. Please remember to REBOOT your computer for changes to take effect",
                             MsgButtons::Ok, MsgIcon::Information};
const ShownMessage kWriteError{"Error writing to the registry", MsgButtons::Ok, MsgIcon::Error};

StoredValue Bytes(std::uint32_t type, const std::string& bytes) {
    return StoredValue{true, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

class UndoTest : public ::testing::Test {
protected:
    Machine pc;
    std::unique_ptr<frmMain> form;

    void Start() {
        form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
        ASSERT_EQ(form->Form_Load(), Outcome::Continue);
        pc.messages.shown.clear();
        pc.files.files[kDebugTxt].clear();
    }
    void Put(const StoredValue& value) { RestoreStoredValue(pc.registry, kXpDriverKey, kValue, value); }
    StoredValue Driver() { return ReadStoredValue(pc.registry, kXpDriverKey, kValue); }
    StoredValue Undo(const char* name) { return ReadStoredValue(pc.registry, kUndoKey, name); }
    void Apply() {
        pc.messages.answers = {MsgAnswer::Yes};
        form->cmdApply_Click();
    }
    void MenuUndo(MsgAnswer answer) {
        pc.messages.shown.clear();
        pc.files.files[kDebugTxt].clear();
        pc.messages.answers = {answer};
        form->mnuUndo_Click();
    }
};

TEST_F(UndoTest, RecordHoldsTheExactBytesAndTypeAndTheMenuPutsThemBack) {
    pc.SetUpXp();
    // A list with no terminating NUL and bytes after an embedded one: only a byte copy gives it back.
    const StoredValue before = Bytes(kRegSz, std::string("S 640x480=8000;\0junk", 20));
    Put(before);
    Start();
    EXPECT_FALSE(form->mnuUndo.enabled);
    Apply();
    const StoredValue applied = Driver();
    ASSERT_EQ(RegGetString(pc.registry, kHkeyLocalMachine, kXpDriverKey, kValue, ""), form->NewModeList);

    EXPECT_EQ(Undo("Key"), Bytes(kRegSz, std::string(kXpDriverKey) + '\0'));
    EXPECT_EQ(Undo("ValueName"), Bytes(kRegSz, std::string(kValue) + '\0'));
    EXPECT_EQ(Undo("Existed"), Bytes(kRegDword, std::string("\1\0\0\0", 4)));
    EXPECT_EQ(Undo("Type"), Bytes(kRegDword, std::string("\1\0\0\0", 4)));
    EXPECT_EQ(Undo("Data"), Bytes(kRegBinary, std::string("S 640x480=8000;\0junk", 20)));
    EXPECT_EQ(Undo("Saved"), Bytes(kRegSz, std::string("2026-12-07 13:05:09\0", 20)));
    EXPECT_TRUE(form->mnuUndo.enabled);

    MenuUndo(MsgAnswer::No);
    EXPECT_EQ(Driver(), applied);
    EXPECT_EQ(pc.files.files[kDebugTxt], "");

    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(Driver(), before);
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kQuestion, kRestored}));
    EXPECT_EQ(pc.files.files[kDebugTxt], "Restored registry value: S 640x480=8000;\r\n");
    // What the undo replaced is the new record: undo again redoes the change.
    EXPECT_EQ(Undo("Data").data, applied.data);
    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(Driver(), applied);
}

TEST_F(UndoTest, ValueThatDidNotExistIsDeletedAndAValueOfAnotherTypeKeepsItsType) {
    pc.SetUpXp();
    Start();
    form->Check1_Click();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    const StoredValue defaults = Driver();
    EXPECT_EQ(Undo("Existed"), Bytes(kRegDword, std::string("\0\0\0\0", 4)));
    EXPECT_EQ(Undo("Type"), Bytes(kRegDword, std::string("\0\0\0\0", 4)));
    EXPECT_EQ(Undo("Data"), Bytes(kRegBinary, ""));
    MenuUndo(MsgAnswer::Yes);
    EXPECT_FALSE(Driver().found);
    EXPECT_EQ(pc.files.files[kDebugTxt], "Restored registry value: (none)\r\n");
    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(Driver(), defaults);

    const StoredValue binary = Bytes(kRegBinary, std::string("\x01\xff\0", 3));
    Put(binary);
    Apply();
    EXPECT_EQ(Undo("Type"), Bytes(kRegDword, std::string("\3\0\0\0", 4)));
    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(Driver(), binary);
    EXPECT_EQ(pc.files.files[kDebugTxt], "Restored registry value: hex(3):01,ff,00\r\n");
}

TEST_F(UndoTest, ARecordThatCannotBeKeptStopsTheWrite) {
    pc.SetUpXp();
    const StoredValue before = Bytes(kRegSz, std::string("S 640x480=8000;\0", 16));
    Put(before);
    Start();
    pc.registry.DenyWrites(kHkeyLocalMachine, kXpDriverKey);
    Apply();
    EXPECT_FALSE(Undo("Key").found);  // a refused write leaves nothing to undo
    EXPECT_FALSE(form->mnuUndo.enabled);
    pc.registry.MakeKey(kHkeyLocalMachine, kXpDriverKey).denyWrites = false;
    pc.registry.DenyWrites(kHkeyLocalMachine, kUndoKey);
    Apply();
    EXPECT_EQ(Driver(), before);
    EXPECT_EQ(pc.messages.shown.back(), kWriteError);
    form->Check1_Click();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    EXPECT_EQ(Driver(), before);
    EXPECT_EQ(pc.messages.shown.back(), kWriteError);
    EXPECT_FALSE(form->mnuUndo.enabled);
}

TEST_F(UndoTest, SafeModeUndoFollowsTheRecordNotTheDeviceMap) {
    pc.SetUpXp();
    const StoredValue before = Bytes(kRegSz, std::string("S 640x480=8000;\0", 16));
    Put(before);
    Start();
    Apply();
    // Safe Mode: the device map names the standard VGA driver's key.
    pc.Set("HARDWARE\\DEVICEMAP\\VIDEO", "\\Device\\Video0",
           "\\Registry\\Machine\\System\\CurrentControlSet\\Services\\vga\\Device0");
    EXPECT_TRUE(IsUndoCommand("/UNDO  "));
    EXPECT_FALSE(IsUndoCommand("/undone"));
    pc.messages.shown.clear();
    pc.messages.answers = {MsgAnswer::Yes};
    UndoLastChange(pc.system);
    EXPECT_EQ(Driver(), before);
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kQuestion, kRestored}));

    Machine empty;
    UndoLastChange(empty.system);
    EXPECT_EQ(empty.messages.shown,
              (std::vector<ShownMessage>{{"There is no change to undo.", MsgButtons::Ok, MsgIcon::Information}}));
}

TEST_F(UndoTest, MenuIsOnlyForARecordOfThisDriverKeyAndValue) {
    pc.SetUpXp();
    Start();
    Apply();
    EXPECT_TRUE(form->mnuUndo.enabled);
    pc.Set(kUndoKey, "ValueName", "NV11_Modes_Delta");
    Start();
    EXPECT_FALSE(form->mnuUndo.enabled);
    pc.SetDword(kUndoKey, "Existed", 2);  // not a record at all
    pc.messages.shown.clear();
    UndoLastChange(pc.system);
    EXPECT_EQ(pc.messages.shown.size(), 1u);
    EXPECT_EQ(pc.messages.shown[0].text, "There is no change to undo.");
}

}  // namespace
}  // namespace tsln::test
