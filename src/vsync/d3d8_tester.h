#pragma once
// The VSync tester on Direct3D 8 (d3d8.dll, loaded when a test starts).
#include <cstdint>
#include <memory>

#include "vsync/vsync_test.h"

namespace tsln {

std::unique_ptr<VsyncTester> MakeDirect3D8Tester();

// For the Windows test programs: counts the frames of each test, and can end
// it after a number of them as a click would.
struct FrameProbe {
    uint64_t stopAfterFrames = 0;  // 0: only the user ends the test
    // Frames left out of the timing: the first ones also pay for compiling
    // shaders and filling caches.
    uint64_t warmUpFrames = 0;
    uint64_t frames = 0;          // frames presented in the last test
    uint32_t firstFrameTick = 0;  // tick counts after the first timed and the last frame
    uint32_t lastFrameTick = 0;
    // The process's processor time (user and kernel, 100 ns units) at the
    // same two points: what the frames cost, however busy the machine is.
    uint64_t firstFrameCpu = 0;
    uint64_t lastFrameCpu = 0;
};

std::unique_ptr<VsyncTester> MakeDirect3D8Tester(FrameProbe& probe);

}  // namespace tsln
