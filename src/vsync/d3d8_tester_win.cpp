#include <windows.h>

#include "vsync/d3d8_device.h"
#include "vsync/d3d8_tester.h"
#include "vsync/vsync_loop.h"

namespace tsln {
namespace {

class SystemTickClock final : public TickClock {
public:
    uint32_t TickCount() override { return GetTickCount(); }
};

// Keeps the test state for as long as the tester lives: the program's run.
class Direct3D8Tester final : public VsyncTester {
public:
    explicit Direct3D8Tester(FrameProbe* probe) : probe_(probe) {}

    std::string Run(const VsyncTestParams& params) override {
        SystemTickClock clock;
        const std::unique_ptr<VsyncDevice> device = MakeDirect3D8Device(probe_);
        return RunVsyncTest(*device, clock, state_, params);
    }

private:
    FrameProbe* probe_;
    VsyncTestState state_;
};

}  // namespace

std::unique_ptr<VsyncTester> MakeDirect3D8Tester() {
    return std::make_unique<Direct3D8Tester>(nullptr);
}

std::unique_ptr<VsyncTester> MakeDirect3D8Tester(FrameProbe& probe) {
    return std::make_unique<Direct3D8Tester>(&probe);
}

}  // namespace tsln
