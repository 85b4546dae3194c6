#pragma once
// The full-screen VSync test: set-up, the frame loop and clean-up, over the
// device interface so that it runs the same against Direct3D 8 and in tests.
#include <cstdint>
#include <string>

#include "vsync/matrix.h"
#include "vsync/vsync_device.h"
#include "vsync/vsync_test.h"

namespace tsln {

// Kept by the tester for the whole run of the program and never reset: a
// test starts where the previous one stopped (the square's angle, the last
// rate shown, the frames not yet sampled).
struct VsyncTestState {
    float angle = 0.0f;           // degrees about the vertical axis
    uint32_t lastSampleTime = 0;  // tick count of the last frame-rate sample
    // 64 bits: a fast adapter or a stalled clock must not wrap the figure shown.
    uint64_t frameCounter = 0;   // frames presented since the last sample
    uint64_t sampledFrames = 0;  // frames counted in the last completed period
};

constexpr uint32_t kSamplePeriodMs = 250;
constexpr uint32_t kTextColour = 0xFF55CCFF;
constexpr TextRect kFrameRateRect{0, 0, 500, 20};
constexpr TextRect kFinishRect{0, 20, 250, 40};
constexpr char kTextFontFace[] = "Trebuchet MS";
constexpr int kTextFontSize = 10;
constexpr char kFinishText[] = "Click anywhere to finish the test";

// One degree further; after 359 comes 0.
float NextAngle(float angle);
Matrix4 WorldMatrix(float angleDegrees);
Matrix4 ViewMatrix();
Matrix4 ProjectionMatrix();
PresentParameters MakePresentParameters(const VsyncTestParams& params);
// The first text line: the rate is four times the frames of the last period.
std::string FrameRateText(uint64_t sampledFrames, const VsyncTestParams& params);
// Counts one presented frame, first closing the sample period if at least
// kSamplePeriodMs have passed since the last sample.
void CountFrame(VsyncTestState& state, TickClock& clock);

// Runs one test until the user ends it or a Direct3D call fails. Whatever it
// created is released and the render window closed before it returns.
// Returns "" when the user ended the test, else the message naming the
// failure.
std::string RunVsyncTest(VsyncDevice& device, TickClock& clock, VsyncTestState& state, const VsyncTestParams& params);

}  // namespace tsln
