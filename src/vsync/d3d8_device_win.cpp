#include <windows.h>
// After <windows.h>, which it needs.
#include <d3d8.h>

#include <cstring>
#include <string>

#include "vsync/com_ref.h"
#include "vsync/d3d8_device.h"
#include "vsync/d3d8_text.h"

namespace tsln {
namespace {

// The numbers the loop passes are Direct3D 8's own.
static_assert(kDeviceTypeHal == D3DDEVTYPE_HAL);
static_assert(kHardwareVertexProcessing == D3DCREATE_HARDWARE_VERTEXPROCESSING);
static_assert(kSoftwareVertexProcessing == D3DCREATE_SOFTWARE_VERTEXPROCESSING);
static_assert(kSwapEffectFlip == D3DSWAPEFFECT_FLIP && kSwapEffectCopyVsync == D3DSWAPEFFECT_COPY_VSYNC);
static_assert(kFormatD16 == D3DFMT_D16 && kFormatR5G6B5 == D3DFMT_R5G6B5 && kFormatX8R8G8B8 == D3DFMT_X8R8G8B8);
static_assert(kPresentIntervalImmediate == D3DPRESENT_INTERVAL_IMMEDIATE);
static_assert(kRenderStateZEnable == D3DRS_ZENABLE && kRenderStateCullMode == D3DRS_CULLMODE &&
              kRenderStateLighting == D3DRS_LIGHTING && kCullNone == D3DCULL_NONE);
static_assert(kTransformWorld == D3DTS_WORLD && kTransformView == D3DTS_VIEW &&
              kTransformProjection == D3DTS_PROJECTION);
static_assert(kPoolDefault == D3DPOOL_DEFAULT && kTriangleList == D3DPT_TRIANGLELIST);
static_assert(kClearTarget == D3DCLEAR_TARGET && kClearZBuffer == D3DCLEAR_ZBUFFER);
static_assert(kVertexFormat == (D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1));
static_assert(sizeof(Matrix4) == sizeof(D3DMATRIX));

constexpr char kWindowClass[] = "TslnVsyncTest";
constexpr char kWindowCaption[] = "d3d_hWnd";
// Posted by the render window to itself when the user asks to end the test:
// the frame loop sees it while it lets the messages through, in process,
// with nothing to look up once a frame.
constexpr UINT kStopMessage = WM_APP + 1;

using Direct3DCreate8Function = IDirect3D8*(WINAPI*)(UINT);

LRESULT PostStop(HWND window) {
    PostMessageA(window, kStopMessage, 0, 0);
    return 0;
}

LRESULT OnKeyDown(HWND window, WPARAM key, LPARAM lParam) {
    if (key == VK_ESCAPE)
        return PostStop(window);
    return DefWindowProcA(window, WM_KEYDOWN, key, lParam);
}

// A click anywhere (or Esc) ends the test. Closing is left to the test's
// clean-up, which must release the device before the window goes.
LRESULT CALLBACK RenderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
        case WM_CLOSE:
            return PostStop(window);
        case WM_KEYDOWN:
            return OnKeyDown(window, wParam, lParam);
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterRenderWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(instance, kWindowClass, &windowClass))
        return true;
    windowClass.lpfnWndProc = RenderWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassA(&windowClass) != 0;
}

std::string SystemDirectory() {
    char path[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

class Library {
public:
    Library() = default;
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() { Reset(); }
    void Reset() {
        if (module_ != nullptr)
            FreeLibrary(module_);
        module_ = nullptr;
    }
    // From the system folder only: a d3d8.dll beside the program is not ours to run.
    bool Load(const char* name) {
        Reset();
        const std::string directory = SystemDirectory();
        if (directory.empty())
            return false;
        // No "insert a disk" box from the system when the file is missing.
        const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        module_ = LoadLibraryA((directory + "\\" + name).c_str());
        SetErrorMode(previousMode);
        return module_ != nullptr;
    }
    FARPROC Find(const char* function) const { return module_ ? GetProcAddress(module_, function) : nullptr; }

private:
    HMODULE module_ = nullptr;
};

class RenderWindow {
public:
    RenderWindow() = default;
    RenderWindow(const RenderWindow&) = delete;
    RenderWindow& operator=(const RenderWindow&) = delete;
    ~RenderWindow() { Close(); }

    // Borderless over the whole screen, shown and in front.
    bool Open() {
        Close();
        stopRequested_ = false;
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        if (!RegisterRenderWindowClass(instance))
            return false;
        window_ =
            CreateWindowExA(0, kWindowClass, kWindowCaption, WS_POPUP | WS_VISIBLE, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                            GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
        if (window_ == nullptr)
            return false;
        SetForegroundWindow(window_);
        SetFocus(window_);
        return true;
    }
    void Close() {
        if (window_ != nullptr)
            DestroyWindow(window_);
        window_ = nullptr;
    }
    // Delivers what is pending; true once the user has asked to end the test.
    bool PumpMessages() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The program is closing: end the test and leave the quit for the main loop.
                PostQuitMessage(static_cast<int>(message.wParam));
                stopRequested_ = true;
                break;
            }
            if (message.message == kStopMessage && message.hwnd == window_) {
                stopRequested_ = true;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return stopRequested_;
    }
    void RequestStop() { stopRequested_ = true; }
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
    bool stopRequested_ = false;
};

bool Ok(HRESULT result) {
    return SUCCEEDED(result);
}

uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

uint64_t ProcessCpuTime() {
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return 0;
    return FileTimeValue(kernel) + FileTimeValue(user);
}

class Direct3D8Device final : public VsyncDevice {
public:
    explicit Direct3D8Device(FrameProbe* probe) : probe_(probe) {}
    // Only on a way out the loop did not take; the same order as its clean-up.
    ~Direct3D8Device() override {
        ReleaseTextFont();
        ReleaseVertexBuffer();
        ReleaseDevice();
        ReleaseDirect3D();
        UnloadDirect3D();
        CloseRenderWindow();
    }

    bool OpenRenderWindow() override {
        if (probe_ != nullptr) {
            FrameProbe fresh;
            fresh.stopAfterFrames = probe_->stopAfterFrames;
            fresh.warmUpFrames = probe_->warmUpFrames;
            *probe_ = fresh;
        }
        return window_.Open();
    }
    bool LoadDirect3D() override {
        if (!library_.Load("d3d8.dll"))
            return false;
        // Through void(*)(): FARPROC and the real signature differ.
        create_ =
            reinterpret_cast<Direct3DCreate8Function>(reinterpret_cast<void (*)()>(library_.Find("Direct3DCreate8")));
        if (create_ == nullptr)
            library_.Reset();
        return create_ != nullptr;
    }
    bool CreateDirect3D() override {
        IDirect3D8* direct3d = create_(D3D_SDK_VERSION);
        if (direct3d == nullptr)
            return false;
        *direct3d_.Receive() = direct3d;
        return true;
    }
    bool CreateDevice(const PresentParameters& params, uint32_t behaviourFlags) override {
        D3DPRESENT_PARAMETERS present = {};
        present.BackBufferWidth = params.backBufferWidth;
        present.BackBufferHeight = params.backBufferHeight;
        present.BackBufferFormat = static_cast<D3DFORMAT>(params.backBufferFormat);
        present.BackBufferCount = params.backBufferCount;
        present.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(params.multiSampleType);
        present.SwapEffect = static_cast<D3DSWAPEFFECT>(params.swapEffect);
        present.hDeviceWindow = window_.Get();
        present.Windowed = static_cast<BOOL>(params.windowed);
        present.EnableAutoDepthStencil = static_cast<BOOL>(params.enableAutoDepthStencil);
        present.AutoDepthStencilFormat = static_cast<D3DFORMAT>(params.autoDepthStencilFormat);
        present.Flags = params.flags;
        present.FullScreen_RefreshRateInHz = params.fullScreenRefreshRateInHz;
        present.FullScreen_PresentationInterval = params.fullScreenPresentationInterval;
        return Ok(direct3d_->CreateDevice(kAdapterDefault, D3DDEVTYPE_HAL, window_.Get(), behaviourFlags, &present,
                                          device_.Receive()));
    }
    bool SetVertexShader(uint32_t vertexFormat) override { return Ok(device_->SetVertexShader(vertexFormat)); }
    bool SetRenderState(uint32_t state, uint32_t value) override {
        return Ok(device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value));
    }
    bool SetTransform(uint32_t which, const Matrix4& matrix) override {
        D3DMATRIX d3dMatrix;
        std::memcpy(&d3dMatrix, &matrix, sizeof d3dMatrix);
        return Ok(device_->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(which), &d3dMatrix));
    }
    bool CreateTextFont(const std::string& faceName, int pointSize) override {
        text_ = MakeTextOverlay(*device_.Get(), faceName, pointSize);
        return text_ != nullptr;
    }
    bool CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t vertexFormat, uint32_t pool) override {
        return Ok(device_->CreateVertexBuffer(length, usage, vertexFormat, static_cast<D3DPOOL>(pool),
                                              vertexBuffer_.Receive()));
    }
    bool FillVertexBuffer(const Vertex* vertices, uint32_t bytes) override {
        BYTE* data = nullptr;
        if (!Ok(vertexBuffer_->Lock(0, bytes, &data, 0)))
            return false;
        std::memcpy(data, vertices, bytes);
        return Ok(vertexBuffer_->Unlock());
    }

    bool Clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) override {
        return Ok(device_->Clear(0, nullptr, flags, colour, z, stencil));
    }
    bool BeginScene() override { return Ok(device_->BeginScene()); }
    bool SetStreamSource(uint32_t stream, uint32_t stride) override {
        return Ok(device_->SetStreamSource(stream, vertexBuffer_.Get(), stride));
    }
    bool DrawPrimitive(uint32_t primitiveType, uint32_t startVertex, uint32_t primitiveCount) override {
        return Ok(device_->DrawPrimitive(static_cast<D3DPRIMITIVETYPE>(primitiveType), startVertex, primitiveCount));
    }
    bool DrawText(const std::string& text, const TextRect& rect, uint32_t colour) override {
        return text_ != nullptr && text_->Draw(text, rect, colour);
    }
    bool EndScene() override { return (text_ == nullptr || text_->Finish()) && Ok(device_->EndScene()); }
    PresentResult Present() override {
        const HRESULT result = device_->Present(nullptr, nullptr, nullptr, nullptr);
        if (result == D3DERR_DEVICELOST)
            return PresentResult::DeviceLost;
        return Ok(result) ? PresentResult::Ok : PresentResult::Failed;
    }
    bool PumpMessages() override {
        if (probe_ != nullptr)
            CountForProbe();
        return window_.PumpMessages();
    }

    void ReleaseTextFont() override { text_.reset(); }
    void ReleaseVertexBuffer() override { vertexBuffer_.Reset(); }
    void ReleaseDevice() override { device_.Reset(); }
    void ReleaseDirect3D() override { direct3d_.Reset(); }
    void UnloadDirect3D() override {
        create_ = nullptr;
        library_.Reset();
    }
    void CloseRenderWindow() override { window_.Close(); }

private:
    // Processor time only at the first and the last frame: reading it costs
    // a call into the system, which the frames should not pay.
    void CountForProbe() {
        const uint32_t now = GetTickCount();
        const bool last = probe_->stopAfterFrames != 0 && probe_->frames + 1 >= probe_->stopAfterFrames;
        if (++probe_->frames == probe_->warmUpFrames + 1) {
            probe_->firstFrameTick = now;
            probe_->firstFrameCpu = ProcessCpuTime();
        }
        probe_->lastFrameTick = now;
        if (last) {
            probe_->lastFrameCpu = ProcessCpuTime();
            window_.RequestStop();
        }
    }

    FrameProbe* probe_;
    // In creation order, so that the destructors too release in reverse.
    RenderWindow window_;
    Library library_;
    Direct3DCreate8Function create_ = nullptr;
    ComRef<IDirect3D8> direct3d_;
    ComRef<IDirect3DDevice8> device_;
    ComRef<IDirect3DVertexBuffer8> vertexBuffer_;
    std::unique_ptr<TextOverlay> text_;
};

}  // namespace

std::unique_ptr<VsyncDevice> MakeDirect3D8Device(FrameProbe* probe) {
    return std::make_unique<Direct3D8Device>(probe);
}

}  // namespace tsln
