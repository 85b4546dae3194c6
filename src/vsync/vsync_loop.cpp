#include "vsync/vsync_loop.h"

#include "vsync/vertices.h"

namespace tsln {
namespace {

constexpr char kNoWindow[] = "The test window could not be created.";
constexpr char kNotInstalled[] = "Direct3D 8 is not installed (d3d8.dll).";
constexpr char kNotStarted[] = "Direct3D 8 could not be started on this system.";
constexpr char kSceneFailed[] = "Direct3D 8 could not set up the test picture.";
constexpr char kFontFailed[] = "Direct3D 8 could not prepare the text of the test.";
constexpr char kSquareFailed[] = "Direct3D 8 could not create the test square.";
constexpr char kDrawFailed[] = "Direct3D 8 could not draw the test picture.";
constexpr char kTextFailed[] = "Direct3D 8 could not draw the text of the test.";
constexpr char kPresentFailed[] = "Direct3D 8 could not show the test picture.";
constexpr char kDisplayLost[] = "The test ended because another program took over the display.";

std::string ModeRefused(const VsyncTestParams& params) {
    return "Direct3D 8 could not switch to " + std::to_string(params.width) + " x " + std::to_string(params.height) +
           " at " + std::to_string(params.bitDepth) + " bit.";
}

// Releases what the test created, in one fixed order whatever the path out:
// the text and the square before the device, so that releasing the device
// really ends full-screen mode; the device before the Direct3D8 object that
// made it; the library only when nothing from it is left; the window last,
// after the display is back.
class Created {
public:
    explicit Created(VsyncDevice& owner) : device_(owner) {}
    Created(const Created&) = delete;
    Created& operator=(const Created&) = delete;
    ~Created() {
        if (textFont)
            device_.ReleaseTextFont();
        if (vertexBuffer)
            device_.ReleaseVertexBuffer();
        if (device)
            device_.ReleaseDevice();
        if (direct3d)
            device_.ReleaseDirect3D();
        if (library)
            device_.UnloadDirect3D();
        if (window)
            device_.CloseRenderWindow();
    }

    bool window = false;
    bool library = false;
    bool direct3d = false;
    bool device = false;
    bool textFont = false;
    bool vertexBuffer = false;

private:
    VsyncDevice& device_;
};

bool SetUpScene(VsyncDevice& device) {
    return device.SetVertexShader(kVertexFormat) && device.SetRenderState(kRenderStateLighting, 0) &&
           device.SetRenderState(kRenderStateCullMode, kCullNone) && device.SetRenderState(kRenderStateZEnable, 1) &&
           device.SetTransform(kTransformWorld, MatrixIdentity()) &&
           device.SetTransform(kTransformView, ViewMatrix()) &&
           device.SetTransform(kTransformProjection, ProjectionMatrix());
}

// One frame; "" when it was presented, else the message to end the test with.
std::string DrawFrame(VsyncDevice& device, TickClock& clock, VsyncTestState& state, const VsyncTestParams& params) {
    state.angle = NextAngle(state.angle);
    if (!device.SetTransform(kTransformWorld, WorldMatrix(state.angle)))
        return kDrawFailed;
    if (!device.Clear(kClearTarget | kClearZBuffer, 0, 1.0f, 0) || !device.BeginScene() ||
        !device.SetStreamSource(0, kVertexStride) || !device.DrawPrimitive(kTriangleList, 0, 2)) {
        return kDrawFailed;
    }
    if (!device.DrawText(FrameRateText(state.sampledFrames, params), kFrameRateRect, kTextColour) ||
        !device.DrawText(kFinishText, kFinishRect, kTextColour)) {
        return kTextFailed;
    }
    if (!device.EndScene())
        return kDrawFailed;
    switch (device.Present()) {
        case PresentResult::Ok:
            break;
        case PresentResult::DeviceLost:
            return kDisplayLost;
        case PresentResult::Failed:
            return kPresentFailed;
    }
    CountFrame(state, clock);
    return "";
}

}  // namespace

float NextAngle(float angle) {
    angle += 1.0f;
    if (angle >= 360.0f)
        angle -= 360.0f;
    return angle;
}

Matrix4 WorldMatrix(float angleDegrees) {
    const float radians = (3.1415927f / 180.0f) * angleDegrees;
    return MatrixMultiply(MatrixIdentity(), MatrixRotationY(radians));
}

Matrix4 ViewMatrix() {
    return MatrixLookAtLH({0.0f, 5.0f, 9.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
}

// Aspect 1 whatever the mode: the square looks as wide as the screen's shape
// makes it, as it always has.
Matrix4 ProjectionMatrix() {
    return MatrixPerspectiveFovLH(0.7853982f, 1.0f, 0.1f, 500.0f);
}

PresentParameters MakePresentParameters(const VsyncTestParams& params) {
    PresentParameters p;
    p.backBufferWidth = static_cast<uint32_t>(params.width);
    p.backBufferHeight = static_cast<uint32_t>(params.height);
    p.backBufferFormat = static_cast<uint32_t>(params.backBufferFormat);
    p.backBufferCount = 1;
    p.multiSampleType = 0;
    p.swapEffect = params.vsyncOn ? kSwapEffectCopyVsync : kSwapEffectFlip;
    p.windowed = 0;
    p.enableAutoDepthStencil = 1;
    p.autoDepthStencilFormat = kFormatD16;
    p.flags = 0;
    p.fullScreenRefreshRateInHz = 0;
    p.fullScreenPresentationInterval = params.vsyncOn ? kPresentIntervalDefault : kPresentIntervalImmediate;
    return p;
}

std::string FrameRateText(uint64_t sampledFrames, const VsyncTestParams& params) {
    return "Current framerate: " + std::to_string(sampledFrames * 4) + "fps - " + std::to_string(params.width) + "x" +
           std::to_string(params.height) + "x" + std::to_string(params.bitDepth);
}

void CountFrame(VsyncTestState& state, TickClock& clock) {
    // Unsigned difference: still right when the tick count wraps after 49.7 days.
    if (clock.TickCount() - state.lastSampleTime >= kSamplePeriodMs) {
        state.sampledFrames = state.frameCounter;
        state.frameCounter = 0;
        state.lastSampleTime = clock.TickCount();
    }
    ++state.frameCounter;
}

std::string RunVsyncTest(VsyncDevice& device, TickClock& clock, VsyncTestState& state, const VsyncTestParams& params) {
    Created created(device);
    created.window = device.OpenRenderWindow();
    if (!created.window)
        return kNoWindow;
    created.library = device.LoadDirect3D();
    if (!created.library)
        return kNotInstalled;
    created.direct3d = device.CreateDirect3D();
    if (!created.direct3d)
        return kNotStarted;
    // Adapters without transformation and lighting in hardware refuse the
    // first form; they draw this scene just as well in software.
    const PresentParameters presentParams = MakePresentParameters(params);
    created.device = device.CreateDevice(presentParams, kHardwareVertexProcessing) ||
                     device.CreateDevice(presentParams, kSoftwareVertexProcessing);
    if (!created.device)
        return ModeRefused(params);
    if (!SetUpScene(device))
        return kSceneFailed;
    created.textFont = device.CreateTextFont(kTextFontFace, kTextFontSize);
    if (!created.textFont)
        return kFontFailed;
    const VertexArray vertices = MakeSquareVertices();
    created.vertexBuffer = device.CreateVertexBuffer(kVertexBufferBytes, 0, kVertexFormat, kPoolDefault);
    if (!created.vertexBuffer)
        return kSquareFailed;
    if (!device.FillVertexBuffer(vertices.data(), kVertexBufferBytes))
        return kSquareFailed;

    bool stopVsyncTest = false;
    for (;;) {
        if (stopVsyncTest)
            return "";
        const std::string failure = DrawFrame(device, clock, state, params);
        if (!failure.empty())
            return failure;
        // The click on the render window arrives here and ends the test
        // before another frame is drawn.
        stopVsyncTest = device.PumpMessages();
    }
}

}  // namespace tsln
