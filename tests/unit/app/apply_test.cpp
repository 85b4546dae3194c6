// "Apply Settings" and "Set Defaults": what reaches the driver's value and
// debug.txt, and that a failure never passes for success.
#include <gtest/gtest.h>

#include "fakes.h"

namespace tsln::test {
namespace {

const ShownMessage kApplyQuestion{"Are you sure you want to apply these values to the registry?", MsgButtons::YesNo,
                                  MsgIcon::None};
const ShownMessage kApplyDone{
    "Values added succesfully. Please remember to REBOOT your computer for changes to take effect", MsgButtons::Ok,
    MsgIcon::Information};
const ShownMessage kWriteError{"Error writing to the registry", MsgButtons::Ok, MsgIcon::Error};
const ShownMessage kResetQuestion{"Are you sure you wish to set the Nvidia driver default values?", MsgButtons::YesNo,
                                  MsgIcon::None};
const ShownMessage kResetDone{"Default values reset successfully", MsgButtons::Ok, MsgIcon::None};

class ApplyTest : public ::testing::Test {
protected:
    Machine pc;
    std::unique_ptr<frmMain> form;
    std::string logAtStart;

    void Start() {
        form = std::make_unique<frmMain>(pc.system, pc.state, pc.tester);
        ASSERT_EQ(form->Form_Load(), Outcome::Continue);
        logAtStart = pc.files.files[kDebugTxt];
        pc.messages.shown.clear();
    }
    void SetAll(const std::string& caption) {
        for (int row = 0; row < kResolutionCount; ++row)
            form->editor.SetCaption(row, caption);
    }
    std::string Written(const char* valueName) { return pc.Get(pc.state.DriverRegPath, valueName); }
    std::string Appended() { return pc.files.files[kDebugTxt].substr(logAtStart.size()); }
};

TEST_F(ApplyTest, MaskListFromHertzLabels) {
    pc.SetUpXp(4523, true);
    Start();
    SetAll("N/A");
    form->editor.SetCaption(0, "85");
    form->editor.SetCaption(2, "120");
    form->editor.SetCaption(22, "240");
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();

    const std::string expected =
        "S 320x200=8055; 320x240=8000; 400x300=8078; 480x360=8000; 512x384=8000; 640x400=8000; 640x480=8000; "
        "800x600=8000; 848x480=8000; 1024x768=8000; 1152x864=8000; 1280x720=8000; 1280x768=8000; 1280x960=8000; "
        "1280x1024=8000; 1360x768=8000; 1600x900=8000; 1600x1024=8000; 1600x1200=8000; 1920x1080=8000; "
        "1920x1200=8000; 1920x1440=8000; 2048x1536=80F0;";
    EXPECT_EQ(Written("NV25_Modes_Delta"), expected);
    EXPECT_EQ(form->NewModeList, expected);
    EXPECT_EQ(Appended(), "Added registry value: " + expected + "\r\n");
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kApplyQuestion, kApplyDone}));
}

TEST_F(ApplyTest, MaskListCarriesNoTvOut) {
    pc.SetUpXp(4523, true);
    pc.Set("SOFTWARE\\TSLN", "ResW1", "720");
    pc.Set("SOFTWARE\\TSLN", "ResH1", "480");
    Start();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    const std::string list = Written("NV25_Modes_Delta");
    EXPECT_EQ(list.find("720x480"), std::string::npos);
    EXPECT_EQ(list.find("720,480"), std::string::npos);
}

TEST_F(ApplyTest, CompressedListWithTvOutFromStartAndAfterTheDialog) {
    pc.SetUpXp(3082, true, "NVIDIA GeForce2 MX/MX 400");
    pc.Set("SOFTWARE\\TSLN", "ResW1", "720");
    pc.Set("SOFTWARE\\TSLN", "ResH1", "480");
    pc.Set("SOFTWARE\\TSLN", "ResW2", "768");
    pc.Set("SOFTWARE\\TSLN", "ResH2", "576");
    Start();
    SetAll("85");
    form->editor.SetCaption(0, "N/A");
    form->editor.SetCaption(1, "60");
    form->editor.SetCaption(22, "120");
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    const std::string body =
        "S 320,200,-,-;320,240,-,70-;400,300,-,-75;480,360,-,-75;512,384,-,-75;640,400,-,-75;640,480,-,-75;"
        "800,600,-,-75;1024,768,-,-75;1152,864,-,-75;1280,768,-,-75;1280,960,-,-75;1280,1024,-,-75;"
        "1600,900,-,-75;1600,1024,-,-75;1600,1200,-,-75;1920,1080,-,-75;1920,1200,-,-75;1920,1440,-,-75;"
        "2048,1536,-,-100;A 720,480,-,60;768,576,-,60";
    EXPECT_EQ(Written("NV11_Modes_Delta"), body + ";");
    EXPECT_EQ(Appended(), "Added registry value: " + body + ";\r\n");

    form->Check1_Click();
    form->mnuTVORes_Click();
    form->tvores.cmdDone_Click();
    SetAll("85");
    form->editor.SetCaption(0, "N/A");
    form->editor.SetCaption(1, "60");
    form->editor.SetCaption(22, "120");
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    EXPECT_EQ(Written("NV11_Modes_Delta"), body);
}

TEST_F(ApplyTest, NormalListPutsTvOutRowsAfterEachDepthBlock) {
    pc.SetUpW2k();
    pc.Set("SOFTWARE\\TSLN", "ResW1", "720");
    pc.Set("SOFTWARE\\TSLN", "ResH1", "480");
    pc.Set("SOFTWARE\\TSLN", "ResW2", "1024");
    pc.Set("SOFTWARE\\TSLN", "ResH2", "768");
    Start();
    SetAll("N/A");
    form->editor.SetCaption(6, "85");    // 640x480: first row of each block
    form->editor.SetCaption(16, "120");  // 1600x900: not in the normal list
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    const std::string list = Written("NV20_Modes");
    ASSERT_EQ(list.size(), 2449u + 6 * 43);
    EXPECT_EQ(list.substr(0, 41), "8    640  480               85          0");
    const std::string blank(22, ' ');
    EXPECT_EQ(list.substr(41, 43), "  8    320  200   " + blank + "  0");
    const std::string tvRows8 =
        "  0  8    720  480   60" + std::string(20, ' ') + "  0  8   1024  768   60" + std::string(20, ' ');
    const std::string row2048 = "8   2048 1536   " + blank;
    const auto pos = list.find(row2048);  // the first is the 8-bit block's
    ASSERT_NE(pos, std::string::npos);
    EXPECT_EQ(list.substr(pos + row2048.size(), tvRows8.size() + 21), tvRows8 + "  0  16   640  480   ");
    EXPECT_EQ(list.substr(list.size() - 46), "  0  32  1024  768   60" + std::string(22, ' ') + "0");
    EXPECT_EQ(list.find("1600  900"), std::string::npos);
}

TEST_F(ApplyTest, LadderModeWritesOffLadderSystemRatesAsTheNextLowerRate) {
    pc.SetUpW2k();
    pc.SetModes({{640, 480, 32, 90}, {800, 600, 32, 144}, {1024, 768, 32, 61}});
    Start();
    ASSERT_EQ(form->editor.Caption(6), "90");
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    const std::string list = Written("NV20_Modes");
    EXPECT_EQ(list.substr(0, 41), "8    640  480               85          0");
    EXPECT_NE(list.find("8    800  600   " + std::string(19, ' ') + "120  0"), std::string::npos);
    EXPECT_NE(list.find("8   1024  768   60" + std::string(20, ' ') + "  0"), std::string::npos);
    EXPECT_EQ(list.size(), 2449u);
}

TEST_F(ApplyTest, AnsweringNoWritesNothing) {
    pc.SetUpXp();
    Start();
    const auto before = pc.registry.Revision();
    pc.messages.answers = {MsgAnswer::No};
    form->cmdApply_Click();
    EXPECT_EQ(pc.registry.Revision(), before);
    EXPECT_EQ(Appended(), "");
    EXPECT_EQ(form->NewModeList, "");
}

TEST_F(ApplyTest, UnwritableLogLeavesTheRegistryAlone) {
    pc.SetUpXp();
    Start();
    pc.files.readOnly = {kDebugTxt};
    const auto before = pc.registry.Revision();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    EXPECT_EQ(pc.registry.Revision(), before);
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kApplyQuestion, kWriteError}));
}

TEST_F(ApplyTest, RefusedRegistryWriteIsReportedNeverCelebrated) {
    pc.SetUpXp();
    Start();
    pc.registry.DenyWrites(kHkeyLocalMachine, pc.state.DriverRegPath);
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kApplyQuestion, kWriteError}));
    EXPECT_EQ(Written("NV25_Modes_Delta"), "<missing>");

    pc.messages.shown.clear();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kResetQuestion, kWriteError}));
}

// A list the checker refuses names the fault without contradicting itself and
// says what to change; nothing reaches the log or the registry.
TEST_F(ApplyTest, RefusedListSaysWhatToChange) {
    pc.SetUpXp(3082, true, "NVIDIA GeForce2 MX/MX 400");
    Start();
    SetAll("85");
    pc.state.TvOut.compressed = ";A 720,480,-,60;0720,480,-,60";
    const auto before = pc.registry.Revision();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdApply_Click();
    ASSERT_EQ(pc.messages.shown.size(), 2u);
    EXPECT_EQ(pc.messages.shown[1].text,
              "The mode list built from these settings is not valid (A item 2 at position 316 \"0720,480,-,60\" "
              "width \"0720\" starts with a zero). Nothing was written. Change or clear the TV-Out resolution it "
              "names (Extras > TV-Out Resolutions), then apply again.");
    EXPECT_EQ(pc.messages.shown[1].icon, MsgIcon::Error);
    EXPECT_EQ(pc.registry.Revision(), before);
    EXPECT_EQ(Appended(), "");
}

TEST_F(ApplyTest, UnknownAdapterIsRefusedBeforeAnything) {
    pc.SetUpXp(4523, true, "NVIDIA GeForce FX 5900");
    Start();
    const auto before = pc.registry.Revision();
    form->cmdApply_Click();
    form->cmdReset_Click();
    ASSERT_EQ(pc.messages.shown.size(), 2u);
    for (const auto& shown : pc.messages.shown) {
        EXPECT_EQ(shown.icon, MsgIcon::Error);
        EXPECT_EQ(shown.buttons, MsgButtons::Ok);
        EXPECT_NE(shown.text.find("not in Tessaline's list of supported adapters"), std::string::npos);
    }
    EXPECT_EQ(pc.registry.Revision(), before);
    EXPECT_EQ(Appended(), "");
}

TEST_F(ApplyTest, SetDefaultsRestoresTheCatalogueListExactly) {
    pc.SetUpXp(3082, true, "NVIDIA RIVA TNT2 Model 64/Model 64 Pro");
    pc.Set("SOFTWARE\\TSLN", "ResW1", "720");
    pc.Set("SOFTWARE\\TSLN", "ResH1", "480");
    pc.SetModes({{640, 480, 32, 75}});
    Start();
    pc.messages.answers = {MsgAnswer::Yes, MsgAnswer::Yes};
    form->cmdApply_Click();
    form->editor.SetCaption(6, "junk");
    form->cmdReset_Click();
    EXPECT_EQ(Written("NV5M64_Modes_Delta"),
              "S 1600,900,-16,120;1600,900,32,100-;1600,1024,-16,120;1600,1024,32,100-;1600,1200,-16,120;"
              "1600,1200,32,100-;1920,1080,-16,120;1920,1080,32,85-;1920,1200,-16,100-;1920,1200,32,-;"
              "1920,1440,-16,85-;1920,1440,32,-;2048,1536,-16,70-;2048,1536,32,-");
    EXPECT_EQ(pc.messages.shown.back(), kResetDone);
    EXPECT_EQ(form->editor.Caption(6), "75");
    EXPECT_EQ(Appended().find("Added registry value: ", 10), std::string::npos);  // one Apply line only
}

TEST_F(ApplyTest, SetDefaultsAnsweredNoStillReloadsTheLabels) {
    pc.SetUpXp();
    pc.SetModes({{640, 480, 32, 75}});
    Start();
    form->editor.SetCaption(6, "junk");
    const auto before = pc.registry.Revision();
    pc.messages.answers = {MsgAnswer::No};
    form->cmdReset_Click();
    EXPECT_EQ(pc.registry.Revision(), before);
    EXPECT_EQ(form->editor.Caption(6), "75");
    EXPECT_EQ(pc.messages.shown, (std::vector<ShownMessage>{kResetQuestion}));
}

TEST_F(ApplyTest, MaskDefaultIsWrittenVerbatim) {
    pc.SetUpXp(4523, true, "NVIDIA RIVA TNT");
    Start();
    pc.messages.answers = {MsgAnswer::Yes};
    form->cmdReset_Click();
    EXPECT_EQ(Written("NV4_Modes_Delta"),
              "S 1920x1200x32=1; 800x600=1DFF; 1600x1024x8,16 1600x1200x8,16 1920x1080x8,16=1F; 640x480=1FFF; "
              "1280x1024x32=3F; 1152x864x8,16=3FF; 1920x1080x32=7; 1280x1024x8,16=7F; 1024x768=7FF; 320x200 "
              "320x240 400x300 480x360 512x384 640x400 1600x1024x32 1600x1200x32 1920x1200x8,16=F; 1152x864x32=FF;");
}

}  // namespace
}  // namespace tsln::test
