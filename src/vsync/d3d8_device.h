#pragma once
// The test's device on Direct3D 8 and a Win32 render window.
#include <memory>

#include "vsync/d3d8_tester.h"
#include "vsync/vsync_device.h"

namespace tsln {

// probe may be null.
std::unique_ptr<VsyncDevice> MakeDirect3D8Device(FrameProbe* probe);

}  // namespace tsln
