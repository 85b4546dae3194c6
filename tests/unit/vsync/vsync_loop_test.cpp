#include "vsync/vsync_loop.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fake_vsync_device.h"

namespace tsln {
namespace {

using test::FakeTickClock;
using test::FakeVsyncDevice;
using Calls = std::vector<std::string>;

VsyncTestParams Params(int width, int height, int bits, bool vsyncOn) {
    VsyncTestParams p;
    p.width = width;
    p.height = height;
    p.bitDepth = bits;
    p.backBufferFormat = bits == 16 ? kFormatR5G6B5 : kFormatX8R8G8B8;
    p.vsyncOn = vsyncOn;
    return p;
}

const Calls kSetUp = {
    "OpenRenderWindow",
    "LoadDirect3D",
    "CreateDirect3D",
    "CreateDevice 0x40",
    "SetVertexShader 0x1C2",
    "SetRenderState 137 0",
    "SetRenderState 22 1",
    "SetRenderState 7 1",
    "SetTransform 256",
    "SetTransform 2",
    "SetTransform 3",
    "CreateTextFont Trebuchet MS 10",
    "CreateVertexBuffer 196 0 0x1C2 0",
    "FillVertexBuffer 196",
};
const Calls kFrame = {
    "SetTransform 256", "Clear 3 0 1 0", "BeginScene", "SetStreamSource 0 28", "DrawPrimitive 4 0 2", "DrawText",
    "DrawText",         "EndScene",      "Present",    "PumpMessages",
};
const Calls kCleanUp = {
    "ReleaseTextFont", "ReleaseVertexBuffer", "ReleaseDevice", "ReleaseDirect3D", "UnloadDirect3D", "CloseRenderWindow",
};

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class VsyncLoopTest : public ::testing::Test {
protected:
    std::string Run(const VsyncTestParams& params) { return RunVsyncTest(device, clock, state, params); }
    void ExpectAllReleased() {
        EXPECT_TRUE(device.live.empty()) << "still alive: " << *device.live.begin();
        EXPECT_EQ(device.misuse, Calls{});
    }

    FakeVsyncDevice device;
    FakeTickClock clock;
    VsyncTestState state;
};

// --- The run of a test ---------------------------------------------------

TEST_F(VsyncLoopTest, SetUpOneFrameAndCleanUpInOrder) {
    device.clickAtPump = 1;
    EXPECT_EQ(Run(Params(640, 480, 32, false)), "");
    EXPECT_EQ(device.calls, Join({kSetUp, kFrame, kCleanUp}));
    ExpectAllReleased();
}

TEST_F(VsyncLoopTest, ClickEndsTheTestAfterTheFrameInProgress) {
    device.clickAtPump = 5;
    EXPECT_EQ(Run(Params(640, 480, 32, false)), "");
    EXPECT_EQ(device.presents, 5);
    EXPECT_EQ(device.Count("Clear"), 5);
    EXPECT_EQ(device.LastCalls(kCleanUp.size() + 1), Join({{"PumpMessages"}, kCleanUp}));
    ExpectAllReleased();
}

TEST_F(VsyncLoopTest, EveryTestStartsAfreshOnTheSameTester) {
    for (int test = 1; test <= 3; ++test) {
        device.calls.clear();
        device.clickAtPump = 2 * test;  // counts pumps over the tester's life
        EXPECT_EQ(Run(Params(800, 600, 16, true)), "") << "test " << test;
        EXPECT_EQ(device.calls.front(), "OpenRenderWindow");
        ExpectAllReleased();
    }
    EXPECT_EQ(device.presents, 2 + 2 + 2);
}

TEST_F(VsyncLoopTest, PresentationParametersForVsyncOnAndOff) {
    device.clickAtPump = 1;
    Run(Params(1024, 768, 32, true));
    Run(Params(800, 600, 16, false));
    ASSERT_EQ(device.deviceParams.size(), 2u);
    struct Expected {
        uint32_t width, height, format, swapEffect, interval;
    };
    const Expected expected[] = {{1024, 768, 22, 4, 0}, {800, 600, 23, 2, 0x80000000}};
    for (int i = 0; i < 2; ++i) {
        const PresentParameters& p = device.deviceParams[i];
        SCOPED_TRACE(i == 0 ? "VSync ON" : "VSync OFF");
        EXPECT_EQ(p.backBufferWidth, expected[i].width);
        EXPECT_EQ(p.backBufferHeight, expected[i].height);
        EXPECT_EQ(p.backBufferFormat, expected[i].format);
        EXPECT_EQ(p.backBufferCount, 1u);
        EXPECT_EQ(p.multiSampleType, 0u);
        EXPECT_EQ(p.swapEffect, expected[i].swapEffect);
        EXPECT_EQ(p.windowed, 0u);
        EXPECT_EQ(p.enableAutoDepthStencil, 1u);
        EXPECT_EQ(p.autoDepthStencilFormat, 80u);
        EXPECT_EQ(p.flags, 0u);
        EXPECT_EQ(p.fullScreenRefreshRateInHz, 0u);
        EXPECT_EQ(p.fullScreenPresentationInterval, expected[i].interval);
    }
}

TEST_F(VsyncLoopTest, CameraAndSquareHandedToTheDevice) {
    device.clickAtPump = 1;
    Run(Params(640, 480, 32, false));

    // Set-up: world identity, then the camera (values worked out in matrix_test).
    ASSERT_EQ(device.transforms[kTransformWorld].size(), 2u);
    const Matrix4& world = device.transforms[kTransformWorld][0];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(world.m[r][c], r == c ? 1.0f : 0.0f);
    }
    ASSERT_EQ(device.transforms[kTransformView].size(), 1u);
    EXPECT_NEAR(device.transforms[kTransformView][0].m[1][1], 0.8741573f, 2e-6f);
    EXPECT_NEAR(device.transforms[kTransformView][0].m[3][2], 10.2956301f, 4e-6f);
    ASSERT_EQ(device.transforms[kTransformProjection].size(), 1u);
    EXPECT_NEAR(device.transforms[kTransformProjection][0].m[0][0], 2.4142136f, 2e-6f);  // aspect 1, not 4:3
    EXPECT_NEAR(device.transforms[kTransformProjection][0].m[3][2], -0.1000200f, 2e-6f);

    // The buffer as the device reads it: seven 28-byte vertices, the seventh zero.
    ASSERT_EQ(device.vertexBufferBytes.size(), 196u);
    struct Corner {
        float x, y;
        uint32_t colour;
    };
    const Corner square[7] = {
        {-1, 1, 0xFFFF0000}, {1, 1, 0xFF00FF00}, {-1, -1, 0xFF0000FF}, {1, 1, 0xFF00FF00}, {-1, -1, 0xFF0000FF},
        {1, -1, 0xFFFFFF00}, {0, 0, 0}};
    for (int i = 0; i < 7; ++i) {
        const uint8_t* v = device.vertexBufferBytes.data() + 28 * i;
        float floats[3], texture[2];
        uint32_t colours[2];
        std::memcpy(floats, v, 12);
        std::memcpy(colours, v + 12, 8);
        std::memcpy(texture, v + 20, 8);
        SCOPED_TRACE("vertex " + std::to_string(i));
        EXPECT_EQ(floats[0], square[i].x);
        EXPECT_EQ(floats[1], square[i].y);
        EXPECT_EQ(floats[2], 0.0f);
        EXPECT_EQ(colours[0], square[i].colour);
        EXPECT_EQ(colours[1], 0u);
        EXPECT_EQ(texture[0], 0.0f);
        EXPECT_EQ(texture[1], 0.0f);
    }
}

// --- The square's turn ----------------------------------------------------

TEST_F(VsyncLoopTest, SquareTurnsOneDegreePerFrameAndWrapsAt360) {
    EXPECT_EQ(NextAngle(0.0f), 1.0f);
    EXPECT_EQ(NextAngle(358.0f), 359.0f);
    EXPECT_EQ(NextAngle(359.0f), 0.0f);

    // 358 degrees from earlier tests: the frames draw 359, 0, 1.
    state.angle = 358.0f;
    device.clickAtPump = 3;
    Run(Params(640, 480, 32, false));
    const auto& worlds = device.transforms[kTransformWorld];
    ASSERT_EQ(worlds.size(), 4u);  // the identity at set-up, then one per frame
    EXPECT_NEAR(worlds[1].m[0][0], 0.9998477f, 1e-6f);
    EXPECT_NEAR(worlds[1].m[0][2], 0.0174524f, 1e-6f);
    EXPECT_NEAR(worlds[1].m[2][0], -0.0174524f, 1e-6f);
    EXPECT_EQ(worlds[2].m[0][0], 1.0f);
    EXPECT_EQ(worlds[2].m[0][2], 0.0f);
    EXPECT_NEAR(worlds[3].m[0][2], -0.0174524f, 1e-6f);
    EXPECT_EQ(state.angle, 1.0f);

    // Whatever the number of frames, never 360 and whole degrees only.
    state.angle = 0.0f;
    for (int frame = 0; frame < 3 * 360; ++frame) {
        state.angle = NextAngle(state.angle);
        ASSERT_LT(state.angle, 360.0f);
        ASSERT_EQ(state.angle, static_cast<float>((frame + 1) % 360));
    }
}

TEST_F(VsyncLoopTest, AngleCarriesOverToTheNextTest) {
    device.clickAtPump = 10;
    Run(Params(640, 480, 32, false));
    EXPECT_EQ(state.angle, 10.0f);
    device.clickAtPump = 15;
    Run(Params(640, 480, 32, false));
    EXPECT_EQ(state.angle, 15.0f);
}

// --- The text lines --------------------------------------------------------

TEST(VsyncText, FrameRateLine) {
    EXPECT_EQ(FrameRateText(60, Params(800, 600, 16, true)), "Current framerate: 240fps - 800x600x16");
    EXPECT_EQ(FrameRateText(60, Params(1024, 768, 32, false)), "Current framerate: 240fps - 1024x768x32");
    EXPECT_EQ(FrameRateText(0, Params(640, 480, 32, false)), "Current framerate: 0fps - 640x480x32");
    // Beyond what a 16-bit counter times four could show.
    EXPECT_EQ(FrameRateText(8192, Params(320, 200, 16, false)), "Current framerate: 32768fps - 320x200x16");
    EXPECT_EQ(FrameRateText(3000000000u, Params(2048, 1536, 32, false)),
              "Current framerate: 12000000000fps - 2048x1536x32");
}

TEST_F(VsyncLoopTest, BothLinesDrawnEveryFrameInPlaceAndColour) {
    state.sampledFrames = 60;
    device.clickAtPump = 2;
    Run(Params(800, 600, 16, true));
    ASSERT_EQ(device.texts.size(), 4u);
    for (size_t i = 0; i < device.texts.size(); i += 2) {
        const auto& rate = device.texts[i];
        const auto& finish = device.texts[i + 1];
        EXPECT_EQ(rate.text, "Current framerate: 240fps - 800x600x16");
        EXPECT_EQ(finish.text, "Click anywhere to finish the test");
        EXPECT_EQ(rate.colour, 0xFF55CCFFu);
        EXPECT_EQ(finish.colour, 0xFF55CCFFu);
        EXPECT_EQ((std::vector<int32_t>{rate.rect.left, rate.rect.top, rate.rect.right, rate.rect.bottom}),
                  (std::vector<int32_t>{0, 0, 500, 20}));
        EXPECT_EQ((std::vector<int32_t>{finish.rect.left, finish.rect.top, finish.rect.right, finish.rect.bottom}),
                  (std::vector<int32_t>{0, 20, 250, 40}));
    }
}

// --- Frame-rate sampling ----------------------------------------------------

TEST(VsyncSampling, PeriodClosesAfter250Milliseconds) {
    FakeTickClock clock;
    VsyncTestState state;
    clock.now = 100000;
    CountFrame(state, clock);  // the first frame of the run closes the empty first period
    EXPECT_EQ(state.sampledFrames, 0u);
    EXPECT_EQ(state.lastSampleTime, 100000u);
    EXPECT_EQ(state.frameCounter, 1u);

    for (int frame = 2; frame <= 60; ++frame) {
        clock.now = 100000 + 249 * (frame - 1) / 59;  // up to 249 ms later
        CountFrame(state, clock);
    }
    EXPECT_EQ(state.sampledFrames, 0u);
    EXPECT_EQ(state.frameCounter, 60u);

    clock.now = 100250;
    CountFrame(state, clock);
    EXPECT_EQ(state.sampledFrames, 60u);
    EXPECT_EQ(state.frameCounter, 1u);  // the closing frame counts towards the next period
    EXPECT_EQ(state.lastSampleTime, 100250u);
}

TEST(VsyncSampling, SampleTimeIsAFreshReading) {
    // The period restarts when the sample was taken, not when it was decided.
    FakeTickClock clock;
    VsyncTestState state;
    clock.now = 5000;
    clock.advancePerRead = 7;
    CountFrame(state, clock);
    EXPECT_EQ(state.lastSampleTime, 5007u);
}

TEST(VsyncSampling, MoreThan8191FramesInOnePeriod) {
    FakeTickClock clock;
    VsyncTestState state;
    // Not a rate any adapter reaches, but what a clock that stalls for a
    // while produces: the frames pile up in one period.
    clock.now = 1000;
    CountFrame(state, clock);
    for (int i = 0; i < 69999; ++i)
        CountFrame(state, clock);
    clock.now = 1250;
    CountFrame(state, clock);
    EXPECT_EQ(state.sampledFrames, 70000u);
    EXPECT_EQ(FrameRateText(state.sampledFrames, Params(320, 200, 16, false)),
              "Current framerate: 280000fps - 320x200x16");
}

TEST(VsyncSampling, SurvivesTheTickCountWrapping) {
    FakeTickClock clock;
    VsyncTestState state;
    state.lastSampleTime = 0xFFFFFF00u;  // 49.7 days after start, 256 ms before the wrap
    state.frameCounter = 30;
    clock.now = 0xFFFFFFF0u;  // 240 ms later
    CountFrame(state, clock);
    EXPECT_EQ(state.frameCounter, 31u);
    clock.now = 0x00000005u;  // 261 ms later, past the wrap
    CountFrame(state, clock);
    EXPECT_EQ(state.sampledFrames, 31u);
    EXPECT_EQ(state.lastSampleTime, 5u);
    clock.now = 0x00000006u;  // and the next period is an ordinary one
    CountFrame(state, clock);
    EXPECT_EQ(state.sampledFrames, 31u);
    EXPECT_EQ(state.frameCounter, 2u);
}

TEST_F(VsyncLoopTest, RateShownIsFourTimesTheLastPeriodAndCarriesOver) {
    // 10 ms a frame: each 250 ms period holds 25 frames, so 100 fps.
    clock.now = 60000;
    device.onPresent = [this] { clock.now += 10; };
    device.clickAtPump = 60;
    Run(Params(640, 480, 32, false));
    const auto rateShown = [this](size_t frame) { return device.texts[2 * frame].text; };
    EXPECT_EQ(rateShown(0), "Current framerate: 0fps - 640x480x32");
    EXPECT_EQ(rateShown(1), "Current framerate: 0fps - 640x480x32");  // first period has just begun
    EXPECT_EQ(rateShown(26), "Current framerate: 100fps - 640x480x32");
    EXPECT_EQ(rateShown(59), "Current framerate: 100fps - 640x480x32");
    for (size_t frame = 0; frame < 60; ++frame) {
        const std::string text = rateShown(frame);
        const int rate = std::stoi(text.substr(std::strlen("Current framerate: ")));
        EXPECT_EQ(rate % 4, 0) << text;
    }
    const uint64_t leftOver = state.frameCounter;
    ASSERT_GT(leftOver, 0u);

    // The next test, seconds later: its first frame shows the old rate, and
    // its first sample counts the frames left over from the last test.
    device.texts.clear();
    clock.now += 5000;
    device.onPresent = nullptr;
    device.clickAtPump = 62;
    Run(Params(640, 480, 32, false));
    EXPECT_EQ(device.texts[0].text, "Current framerate: 100fps - 640x480x32");
    EXPECT_EQ(device.texts[2].text, "Current framerate: " + std::to_string(4 * leftOver) + "fps - 640x480x32");
}

// --- Failures -----------------------------------------------------------------

TEST_F(VsyncLoopTest, SoftwareVertexProcessingWhenHardwareIsRefused) {
    device.Fail("CreateDevice", 1);
    device.clickAtPump = 1;
    EXPECT_EQ(Run(Params(640, 480, 32, false)), "");
    EXPECT_EQ(device.deviceBehaviour, (std::vector<uint32_t>{0x40, 0x20}));
    EXPECT_EQ(device.presents, 1);
    ExpectAllReleased();
}

struct FailureCase {
    const char* call;
    int occurrence;
    PresentResult how;
    const char* message;
    Calls cleanUp;
    int presents;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.call << " #" << c.occurrence;
}

class VsyncFailureTest : public VsyncLoopTest, public ::testing::WithParamInterface<FailureCase> {};

const Calls kAfterDevice = {"ReleaseDevice", "ReleaseDirect3D", "UnloadDirect3D", "CloseRenderWindow"};
const Calls kAfterFont = Join({{"ReleaseTextFont"}, kAfterDevice});
constexpr const char* kScene = "Direct3D 8 could not set up the test picture.";
constexpr const char* kDraw = "Direct3D 8 could not draw the test picture.";
constexpr const char* kText = "Direct3D 8 could not draw the text of the test.";
constexpr const char* kLost = "The test ended because another program took over the display.";
constexpr PresentResult kFail = PresentResult::Failed;

// Set-up calls fail on their first use; frame calls in the second frame.
const FailureCase kFailures[] = {
    {"OpenRenderWindow", 1, kFail, "The test window could not be created.", {}, 0},
    {"LoadDirect3D", 1, kFail, "Direct3D 8 is not installed (d3d8.dll).", {"CloseRenderWindow"}, 0},
    {"CreateDirect3D",
     1,
     kFail,
     "Direct3D 8 could not be started on this system.",
     {"UnloadDirect3D", "CloseRenderWindow"},
     0},
    {"SetVertexShader", 1, kFail, kScene, kAfterDevice, 0},
    {"SetRenderState", 1, kFail, kScene, kAfterDevice, 0},
    {"SetRenderState", 3, kFail, kScene, kAfterDevice, 0},
    {"SetTransform", 1, kFail, kScene, kAfterDevice, 0},
    {"SetTransform", 3, kFail, kScene, kAfterDevice, 0},
    {"CreateTextFont", 1, kFail, "Direct3D 8 could not prepare the text of the test.", kAfterDevice, 0},
    {"CreateVertexBuffer", 1, kFail, "Direct3D 8 could not create the test square.", kAfterFont, 0},
    {"FillVertexBuffer", 1, kFail, "Direct3D 8 could not create the test square.", kCleanUp, 0},
    {"SetTransform", 5, kFail, kDraw, kCleanUp, 1},
    {"Clear", 2, kFail, kDraw, kCleanUp, 1},
    {"BeginScene", 2, kFail, kDraw, kCleanUp, 1},
    {"SetStreamSource", 2, kFail, kDraw, kCleanUp, 1},
    {"DrawPrimitive", 2, kFail, kDraw, kCleanUp, 1},
    {"DrawText", 3, kFail, kText, kCleanUp, 1},
    {"DrawText", 4, kFail, kText, kCleanUp, 1},
    {"EndScene", 2, kFail, kDraw, kCleanUp, 1},
    {"Present", 2, kFail, "Direct3D 8 could not show the test picture.", kCleanUp, 1},
    {"Present", 2, PresentResult::DeviceLost, kLost, kCleanUp, 1},
};

TEST_P(VsyncFailureTest, EndsCleanlyWithOneMessage) {
    const FailureCase& c = GetParam();
    device.Fail(c.call, c.occurrence, c.how);
    device.clickAtPump = 3;
    EXPECT_EQ(Run(Params(640, 480, 32, false)), c.message);
    // The failed call, then only the releases.
    const Calls tail = device.LastCalls(c.cleanUp.size() + 1);
    EXPECT_EQ(tail.front().rfind(c.call, 0), 0u) << "last call before clean-up: " << tail.front();
    EXPECT_EQ(Calls(tail.begin() + 1, tail.end()), c.cleanUp);
    EXPECT_EQ(device.presents, c.presents);
    ExpectAllReleased();
}

INSTANTIATE_TEST_SUITE_P(EveryCall, VsyncFailureTest, ::testing::ValuesIn(kFailures),
                         [](const ::testing::TestParamInfo<FailureCase>& testCase) {
                             const FailureCase& c = testCase.param;
                             return std::string(c.call) + std::to_string(c.occurrence) +
                                    (c.how == PresentResult::DeviceLost ? "Lost" : "");
                         });

TEST_F(VsyncLoopTest, ModeRefusedWithAndWithoutHardwareVertexProcessing) {
    device.Fail("CreateDevice", 1);
    device.Fail("CreateDevice", 2);
    EXPECT_EQ(Run(Params(2048, 1536, 16, false)), "Direct3D 8 could not switch to 2048 x 1536 at 16 bit.");
    EXPECT_EQ(device.LastCalls(5), (Calls{"CreateDevice 0x40", "CreateDevice 0x20", "ReleaseDirect3D", "UnloadDirect3D",
                                          "CloseRenderWindow"}));
    ExpectAllReleased();
}

TEST_F(VsyncLoopTest, FailureLeavesTheTesterUsable) {
    device.Fail("Present", 1, PresentResult::DeviceLost);
    EXPECT_NE(Run(Params(640, 480, 32, false)), "");
    device.clickAtPump = 2;
    EXPECT_EQ(Run(Params(640, 480, 32, false)), "");
    EXPECT_EQ(device.presents, 2);
    ExpectAllReleased();
}

}  // namespace
}  // namespace tsln
