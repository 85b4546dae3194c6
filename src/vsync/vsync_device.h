#pragma once
// What the test loop asks of Direct3D 8 and of the render window, one call
// per Direct3D operation it relies on, so that the loop can be driven without
// either. The numbers are Direct3D 8's own; the backend passes them through.
#include <cstdint>
#include <string>

#include "vsync/matrix.h"
#include "vsync/vertices.h"

namespace tsln {

constexpr uint32_t kAdapterDefault = 0;
constexpr uint32_t kDeviceTypeHal = 1;
constexpr uint32_t kSoftwareVertexProcessing = 0x20;
constexpr uint32_t kHardwareVertexProcessing = 0x40;

constexpr uint32_t kSwapEffectFlip = 2;
constexpr uint32_t kSwapEffectCopyVsync = 4;
constexpr uint32_t kFormatD16 = 80;
constexpr uint32_t kPresentIntervalDefault = 0;
constexpr uint32_t kPresentIntervalImmediate = 0x80000000;

constexpr uint32_t kRenderStateZEnable = 7;
constexpr uint32_t kRenderStateCullMode = 22;
constexpr uint32_t kRenderStateLighting = 137;
constexpr uint32_t kCullNone = 1;

constexpr uint32_t kTransformView = 2;
constexpr uint32_t kTransformProjection = 3;
constexpr uint32_t kTransformWorld = 256;

constexpr uint32_t kPoolDefault = 0;
constexpr uint32_t kClearTarget = 1;
constexpr uint32_t kClearZBuffer = 2;
constexpr uint32_t kTriangleList = 4;

// D3DPRESENT_PARAMETERS without its window: the device window is always the
// render window, which only the backend knows.
struct PresentParameters {
    uint32_t backBufferWidth = 0;
    uint32_t backBufferHeight = 0;
    uint32_t backBufferFormat = 0;
    uint32_t backBufferCount = 0;
    uint32_t multiSampleType = 0;
    uint32_t swapEffect = 0;
    uint32_t windowed = 0;
    uint32_t enableAutoDepthStencil = 0;
    uint32_t autoDepthStencilFormat = 0;
    uint32_t flags = 0;
    uint32_t fullScreenRefreshRateInHz = 0;
    uint32_t fullScreenPresentationInterval = 0;
};

struct TextRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

enum class PresentResult { Ok, Failed, DeviceLost };

// Each call that creates or uses something answers whether it worked. The
// Release/Unload/Close calls are made only for what was created, in the
// order the loop fixes.
class VsyncDevice {
public:
    virtual ~VsyncDevice() = default;

    virtual bool OpenRenderWindow() = 0;
    virtual bool LoadDirect3D() = 0;    // d3d8.dll and its Direct3DCreate8
    virtual bool CreateDirect3D() = 0;  // the Direct3D8 object
    virtual bool CreateDevice(const PresentParameters& params, uint32_t behaviourFlags) = 0;
    virtual bool SetVertexShader(uint32_t vertexFormat) = 0;
    virtual bool SetRenderState(uint32_t state, uint32_t value) = 0;
    virtual bool SetTransform(uint32_t which, const Matrix4& matrix) = 0;
    virtual bool CreateTextFont(const std::string& faceName, int pointSize) = 0;
    virtual bool CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t vertexFormat, uint32_t pool) = 0;
    virtual bool FillVertexBuffer(const Vertex* vertices, uint32_t bytes) = 0;

    virtual bool Clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) = 0;
    virtual bool BeginScene() = 0;
    virtual bool SetStreamSource(uint32_t stream, uint32_t stride) = 0;
    virtual bool DrawPrimitive(uint32_t primitiveType, uint32_t startVertex, uint32_t primitiveCount) = 0;
    virtual bool DrawText(const std::string& text, const TextRect& rect, uint32_t colour) = 0;
    virtual bool EndScene() = 0;
    virtual PresentResult Present() = 0;
    // Delivers the pending window messages; true once the user has asked to
    // end the test (a click on the render window).
    virtual bool PumpMessages() = 0;

    virtual void ReleaseTextFont() = 0;
    virtual void ReleaseVertexBuffer() = 0;
    virtual void ReleaseDevice() = 0;
    virtual void ReleaseDirect3D() = 0;
    virtual void UnloadDirect3D() = 0;
    virtual void CloseRenderWindow() = 0;
};

// Milliseconds since the system started, wrapping after 2^32 (GetTickCount).
class TickClock {
public:
    virtual ~TickClock() = default;
    virtual uint32_t TickCount() = 0;
};

}  // namespace tsln
