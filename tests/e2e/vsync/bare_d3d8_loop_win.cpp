// The yardstick for the VSync test's speed: the least a full-screen
// Direct3D 8 program can do per frame (clear, present, let messages through),
// with the same window, device and presentation parameters as the test with
// VSync OFF, measured the same way.
//
//   bare_d3d8_loop WIDTH HEIGHT 16|32 FRAMES [WARM-UP]
//
// Prints "frames: N", then "fps: X" by the clock and "cpu-fps: Y" by the
// processor time the process used, between the first frame after WARM-UP
// and the last.
#include <windows.h>
// After <windows.h>, which it needs.
#include <d3d8.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vsync/com_ref.h"

namespace {

using Direct3DCreate8Function = IDirect3D8*(WINAPI*)(UINT);

uint64_t FileTimeValue(const FILETIME& time) {
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

uint64_t ProcessCpuTime() {
    FILETIME creation, exit, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &creation, &exit, &kernel, &user))
        return 0;
    return FileTimeValue(kernel) + FileTimeValue(user);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

class Window {
public:
    Window() {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        windowClass.lpszClassName = "TslnBareLoop";
        RegisterClassA(&windowClass);
        window_ = CreateWindowExA(0, "TslnBareLoop", "bare_d3d8_loop", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        if (window_ != nullptr)
            SetForegroundWindow(window_);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    ~Window() {
        if (window_ != nullptr)
            DestroyWindow(window_);
    }
    HWND Get() const { return window_; }

private:
    HWND window_ = nullptr;
};

class Library {
public:
    explicit Library(const char* path) : module_(LoadLibraryA(path)) {}
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    ~Library() {
        if (module_ != nullptr)
            FreeLibrary(module_);
    }
    HMODULE Get() const { return module_; }

private:
    HMODULE module_;
};

int Fail(const char* what) {
    std::fprintf(stderr, "bare_d3d8_loop: %s\n", what);
    return 1;
}

// Everything lives in this function so that it is released, in reverse
// order, before main returns.
int RunLoop(UINT width, UINT height, D3DFORMAT format, unsigned long frames, unsigned long warmUp) {
    Window window;
    if (window.Get() == nullptr)
        return Fail("no window");
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    Library library((std::string(system) + "\\d3d8.dll").c_str());
    if (library.Get() == nullptr)
        return Fail("no d3d8.dll");
    const auto create = reinterpret_cast<Direct3DCreate8Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(library.Get(), "Direct3DCreate8")));
    if (create == nullptr)
        return Fail("no Direct3DCreate8");
    tsln::ComRef<IDirect3D8> direct3d;
    *direct3d.Receive() = create(D3D_SDK_VERSION);
    if (!direct3d)
        return Fail("Direct3DCreate8 failed");

    D3DPRESENT_PARAMETERS present = {};
    present.BackBufferWidth = width;
    present.BackBufferHeight = height;
    present.BackBufferFormat = format;
    present.BackBufferCount = 1;
    present.MultiSampleType = D3DMULTISAMPLE_NONE;
    present.SwapEffect = D3DSWAPEFFECT_FLIP;
    present.hDeviceWindow = window.Get();
    present.Windowed = FALSE;
    present.EnableAutoDepthStencil = TRUE;
    present.AutoDepthStencilFormat = D3DFMT_D16;
    present.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    tsln::ComRef<IDirect3DDevice8> device;
    if (FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window.Get(),
                                      D3DCREATE_HARDWARE_VERTEXPROCESSING, &present, device.Receive())) &&
        FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window.Get(),
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &present, device.Receive()))) {
        return Fail("CreateDevice failed");
    }

    DWORD first = 0, last = 0;
    uint64_t firstCpu = 0, lastCpu = 0;
    for (unsigned long frame = 1; frame <= frames; ++frame) {
        if (FAILED(device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0)) ||
            FAILED(device->Present(nullptr, nullptr, nullptr, nullptr))) {
            return Fail("a frame failed");
        }
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        last = GetTickCount();
        if (frame == warmUp + 1) {
            first = last;
            firstCpu = ProcessCpuTime();
        }
        if (frame == frames)
            lastCpu = ProcessCpuTime();
    }
    const double seconds = (last - first) / 1000.0;
    const double cpuSeconds = static_cast<double>(lastCpu - firstCpu) / 1e7;
    const double timed = static_cast<double>(frames - warmUp - 1);
    std::printf("frames: %lu\nfps: %.1f\ncpu-fps: %.1f\n", frames, seconds > 0 ? timed / seconds : 0.0,
                cpuSeconds > 0 ? timed / cpuSeconds : 0.0);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5 && argc != 6) {
        std::fputs("usage: bare_d3d8_loop WIDTH HEIGHT 16|32 FRAMES [WARM-UP]\n", stderr);
        return 2;
    }
    const UINT width = static_cast<UINT>(std::strtoul(argv[1], nullptr, 10));
    const UINT height = static_cast<UINT>(std::strtoul(argv[2], nullptr, 10));
    const D3DFORMAT format = std::strtoul(argv[3], nullptr, 10) == 16 ? D3DFMT_R5G6B5 : D3DFMT_X8R8G8B8;
    const unsigned long frames = std::strtoul(argv[4], nullptr, 10);
    const unsigned long warmUp = argc == 6 ? std::strtoul(argv[5], nullptr, 10) : 0;
    if (width == 0 || height == 0 || frames < warmUp + 2)
        return 2;
    return RunLoop(width, height, format, frames, warmUp);
}
