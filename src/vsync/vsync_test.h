#pragma once
// The hand-over from the tester dialog to the full-screen test.
#include <string>

namespace tsln {

constexpr int kFormatR5G6B5 = 23;
constexpr int kFormatX8R8G8B8 = 22;

struct VsyncTestParams {
    int width = 0;
    int height = 0;
    int backBufferFormat = 0;
    int bitDepth = 0;
    bool vsyncOn = true;
};

class VsyncTester {
public:
    virtual ~VsyncTester() = default;
    // Runs the test until the user ends it. Empty on success; otherwise the
    // message to show, naming what failed (everything created is released
    // before this returns).
    virtual std::string Run(const VsyncTestParams& params) = 0;
};

}  // namespace tsln
