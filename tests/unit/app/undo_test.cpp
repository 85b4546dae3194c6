// Undo of the last change: the record each write keeps, the restore from the
// menu and from "/undo", that a record that cannot be kept stops the write,
// that no record can aim an undo anywhere but a mode list, and that no power
// cut can take the way back.
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
const ShownMessage kRedoQuestion{"Apply the change of 2026-12-07 13:05:09 again?", MsgButtons::YesNoDefaultNo,
                                 MsgIcon::Question};
const ShownMessage kRedone{"Change applied again. Please remember to REBOOT your computer for changes to take effect",
                           MsgButtons::Ok, MsgIcon::Information};
const ShownMessage kWriteError{"Error writing to the registry", MsgButtons::Ok, MsgIcon::Error};
const ShownMessage kNothing{"There is no change to undo.", MsgButtons::Ok, MsgIcon::Information};

StoredValue Bytes(std::uint32_t type, const std::string& bytes) {
    return StoredValue{true, type, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

// The record's layout, spelled out: "TSU1", counted key, value name and
// stamp, then each side as existed, type and counted bytes.
std::string RecordBytes(const std::string& key, const std::string& name, const std::string& saved,
                        const StoredValue& before, const StoredValue& written) {
    const auto number = [](std::size_t n) {
        return std::string{char(n & 255), char(n >> 8 & 255), char(n >> 16 & 255), char(n >> 24 & 255)};
    };
    const auto counted = [&](const std::string& text) { return number(text.size()) + text; };
    const auto side = [&](const StoredValue& v) {
        return number(v.found) + number(v.type) + counted(std::string(v.data.begin(), v.data.end()));
    };
    return "TSU1" + counted(key) + counted(name) + counted(saved) + side(before) + side(written);
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
    static void Put(Machine& m, const StoredValue& value) {
        RestoreStoredValue(m.registry, kXpDriverKey, kValue, value);
    }
    void Put(const StoredValue& value) { Put(pc, value); }
    static StoredValue Driver(Machine& m) { return ReadStoredValue(m.registry, kXpDriverKey, kValue); }
    StoredValue Driver() { return Driver(pc); }
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

TEST_F(UndoTest, RecordHoldsBothSidesAndTheMenuGoesBackAndForthWithoutRewritingIt) {
    pc.SetUpXp();
    // A list with no terminating NUL and bytes after an embedded one: only a byte copy gives it back.
    const StoredValue before = Bytes(kRegSz, std::string("S 640x480=8000;\0junk", 20));
    Put(before);
    Start();
    EXPECT_FALSE(form->mnuUndo.enabled);
    Apply();
    const StoredValue applied = Driver();
    ASSERT_EQ(applied, Bytes(kRegSz, form->NewModeList + '\0'));
    const StoredValue record =
        Bytes(kRegBinary, RecordBytes(kXpDriverKey, kValue, "2026-12-07 13:05:09", before, applied));
    EXPECT_EQ(Undo("Record"), record);
    EXPECT_TRUE(form->mnuUndo.enabled);

    MenuUndo(MsgAnswer::No);
    EXPECT_EQ(Driver(), applied);
    EXPECT_EQ(pc.files.files[kDebugTxt], "");

    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(Driver(), before);
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kQuestion, kRestored}));
    EXPECT_EQ(pc.files.files[kDebugTxt], "Restored registry value: S 640x480=8000;\r\n");
    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(Driver(), applied);
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kRedoQuestion, kRedone}));
    EXPECT_EQ(pc.files.files[kDebugTxt], "Restored registry value: " + form->NewModeList + "\r\n");
    EXPECT_EQ(Undo("Record"), record);

    // Changed since by someone else: neither side is written over it.
    const StoredValue other = Bytes(kRegSz, std::string("S 800x600=8000;\0", 16));
    Put(other);
    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(pc.messages.shown,
              (std::vector<ShownMessage>{{"The mode list has changed since 2026-12-07 13:05:09; nothing was restored.",
                                          MsgButtons::Ok, MsgIcon::Error}}));
    EXPECT_EQ(Driver(), other);
    EXPECT_EQ(pc.files.files[kDebugTxt], "");
}

TEST_F(UndoTest, ValueThatDidNotExistIsDeletedAndAValueOfAnotherTypeKeepsItsType) {
    pc.SetUpXp();
    Start();
    form->Check1_Click();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    const StoredValue defaults = Driver();
    EXPECT_EQ(Undo("Record"),
              Bytes(kRegBinary, RecordBytes(kXpDriverKey, kValue, "2026-12-07 13:05:09", {}, defaults)));
    MenuUndo(MsgAnswer::Yes);
    EXPECT_FALSE(Driver().found);
    EXPECT_EQ(pc.files.files[kDebugTxt], "Restored registry value: (none)\r\n");
    MenuUndo(MsgAnswer::Yes);
    EXPECT_EQ(Driver(), defaults);

    const StoredValue binary = Bytes(kRegBinary, std::string("\x01\xff\0", 3));
    Put(binary);
    Apply();
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
    EXPECT_FALSE(Undo("Record").found);  // a refused write leaves nothing to undo
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

// Written in both layouts the program has used, aimed so that an undo that
// read it would put payload at name under key.
void Plant(Machine& pc, const std::string& key, const std::string& name, const StoredValue& payload,
           const std::string& saved = "2026-12-07 13:05:09") {
    const StoredValue now = ReadStoredValue(pc.registry, key, name);
    const std::string record =
        now.found ? RecordBytes(key, name, saved, payload, now) : RecordBytes(key, name, saved, now, payload);
    RestoreStoredValue(pc.registry, kUndoKey, "Record", Bytes(kRegBinary, record));
    pc.Set(kUndoKey, "Key", key);
    pc.Set(kUndoKey, "ValueName", name);
    pc.Set(kUndoKey, "Saved", saved);
    pc.SetDword(kUndoKey, "Existed", payload.found);
    pc.SetDword(kUndoKey, "Type", static_cast<std::int32_t>(payload.type));
    RestoreStoredValue(pc.registry, kUndoKey, "Data", {true, kRegBinary, payload.data});
}

TEST_F(UndoTest, ARecordIsOnlyForAModeListOfADisplayDriverKey) {
    const char kRun[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char kNt[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
    const StoredValue list = Bytes(kRegSz, std::string("S 640x480=8000;\0", 16));
    const struct {
        std::string key, name;
        StoredValue payload;
        std::string saved;
    } planted[] = {
        {kRun, kValue, Bytes(kRegSz, std::string("C:\\evil.exe\0", 12)), "2026-12-07 13:05:09"},
        {kXpDriverKey, "InstalledDisplayDrivers", list, "2026-12-07 13:05:09"},
        {kNt, "CurrentVersion", {}, "2026-12-07 13:05:09"},
        {kXpDriverKey, kValue, Bytes(kRegSz, std::string(70000, 'S')), "2026-12-07 13:05:09"},
        {kXpDriverKey, kValue, list, "2026-12-07 13:05:09\r\n[Tessaline] Mode list restored."},
        {kXpDriverKey, kValue, list, "7 Dec 2026 13:05"},
    };
    for (const auto& p : planted) {
        Machine m;
        m.SetUpXp();
        Put(m, Bytes(kRegSz, std::string("S 800x600=8000;\0", 16)));
        Plant(m, p.key, p.name, p.payload, p.saved);
        const std::uint64_t revision = m.registry.Revision();
        m.messages.answers = {MsgAnswer::Yes};
        SCOPED_TRACE(p.name + " " + p.saved);
        UndoLastChange(m.system);
        EXPECT_EQ(m.messages.shown, (std::vector<ShownMessage>{kNothing}));
        EXPECT_EQ(m.registry.Revision(), revision);
        EXPECT_EQ(m.files.writes, 0);
    }

    // Nor one whose "before" side says absent yet carries a type and bytes; and one whose key is gone (the
    // adapter reinstalled under a new key) is not made again by offering the change anew.
    Machine m;
    m.SetUpXp();
    Put(m, list);
    StoredValue absent = list;
    absent.found = false;
    RestoreStoredValue(m.registry, kUndoKey, "Record",
                       Bytes(kRegBinary, RecordBytes(kXpDriverKey, kValue, "2026-12-07 13:05:09", absent, list)));
    m.messages.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    UndoLastChange(m.system);
    m.registry.DeleteKeyTree(kHkeyLocalMachine, kXpDriverKey);
    Plant(m, kXpDriverKey, kValue, list);
    const std::uint64_t revision = m.registry.Revision();
    UndoLastChange(m.system);
    EXPECT_EQ(m.messages.shown, (std::vector<ShownMessage>{kNothing,
                                                           {"The display driver of the change of 2026-12-07 13:05:09 "
                                                            "is no longer installed; nothing was restored.",
                                                            MsgButtons::Ok, MsgIcon::Error}}));
    EXPECT_EQ(m.registry.Revision(), revision);
    EXPECT_EQ(m.registry.FindKey(kHkeyLocalMachine, kXpDriverKey), nullptr);
    EXPECT_EQ(m.files.writes, 0);

    // Aimed at this adapter's list it is a record; at another adapter's, the menu is greyed for it.
    pc.SetUpXp();
    Plant(pc, kXpDriverKey, kValue, list);
    Start();
    EXPECT_TRUE(form->mnuUndo.enabled);
    Plant(pc, kXpDriverKey, "NV11_Modes_Delta", list);
    Start();
    EXPECT_FALSE(form->mnuUndo.enabled);
}

TEST_F(UndoTest, APowerCutAfterAnyWriteOfApplyOrUndoLeavesAnUndoThatReachesTheRightValue) {
    using Boxes = std::vector<ShownMessage>;
    const StoredValue before = Bytes(kRegSz, std::string("S 640x480=8000;\0", 16));
    for (const bool cutUndo : {false, true}) {
        for (int writes = 0;; ++writes) {
            SCOPED_TRACE((cutUndo ? "undo cut after " : "apply cut after ") + std::to_string(writes) + " writes");
            Machine m;
            m.SetUpXp();
            Put(m, before);
            m.Set(kUndoKey, "Key", kXpDriverKey);  // an earlier version's record, which goes on Apply
            frmMain window(m.system, m.state, m.tester);
            ASSERT_EQ(window.Form_Load(), Outcome::Continue);
            m.registry.writesLeft = cutUndo ? -1 : writes;
            m.messages.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
            window.cmdApply_Click();
            m.registry.writesLeft = writes;
            if (cutUndo)
                UndoLastChange(m.system);
            m.registry.writesLeft = -1;

            // The power is back: the next undo puts back the value before whenever the change holds, and
            // otherwise never claims to.
            const StoredValue applied = Bytes(kRegSz, window.NewModeList + '\0');
            const StoredValue atCut = Driver(m);
            m.messages.shown.clear();
            m.messages.answers = {MsgAnswer::Yes};
            UndoLastChange(m.system);
            if (atCut == applied) {
                EXPECT_EQ(m.messages.shown, (Boxes{kQuestion, kRestored}));
                EXPECT_EQ(Driver(m), before);
            } else {
                ASSERT_EQ(atCut, before);
                const bool kept = m.messages.shown.size() == 2;  // the record of the change was written
                EXPECT_EQ(m.messages.shown, (kept ? Boxes{kRedoQuestion, kRedone} : Boxes{kNothing}));
                EXPECT_EQ(Driver(m), kept ? applied : before);
            }
            if (!m.registry.cut) {
                EXPECT_EQ(atCut, cutUndo ? before : applied);
                EXPECT_FALSE(ReadStoredValue(m.registry, kUndoKey, "Key").found);
                break;
            }
        }
    }
}

}  // namespace
}  // namespace tsln::test
