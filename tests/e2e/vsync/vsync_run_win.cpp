// Runs one VSync test through the program's own tester, as the tester
// dialog's Go does, and prints how it ended:
//
//   vsync_run WIDTH HEIGHT 16|32 on|off [FRAMES [WARM-UP]]
//
// Without FRAMES only a click (or Esc) ends the test; WARM-UP frames at the
// start are left out of the frame rates. Prints "result: ok" or
// "result: " and the message the dialog would show, then the frames
// presented and the frame rates between the first and the last of them.
// Exit status 0 when the test ended by the user (or after FRAMES), 1 with a
// message, 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "vsync/d3d8_tester.h"

namespace {

bool ParseNumber(const char* text, long long& value) {
    char* end = nullptr;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && value > 0;
}

// Frames per second between the first and the last frame, by the clock
// ("fps") and by the processor time the process used ("cpu-fps").
std::string FrameRates(const tsln::FrameProbe& probe) {
    if (probe.frames < probe.warmUpFrames + 2)
        return "fps: 0\ncpu-fps: 0\n";
    const double frames = static_cast<double>(probe.frames - probe.warmUpFrames) - 1.0;
    const double seconds = (probe.lastFrameTick - probe.firstFrameTick) / 1000.0;
    // Measured only when the test was to end after a number of frames.
    const double cpuSeconds = probe.lastFrameCpu > probe.firstFrameCpu
                                  ? static_cast<double>(probe.lastFrameCpu - probe.firstFrameCpu) / 1e7
                                  : 0.0;
    char text[80];
    std::snprintf(text, sizeof text, "fps: %.1f\ncpu-fps: %.1f\n", seconds > 0 ? frames / seconds : 0.0,
                  cpuSeconds > 0 ? frames / cpuSeconds : 0.0);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    long long width = 0, height = 0, bits = 0, frames = 0, warmUp = 0;
    const std::string vsync = argc > 4 ? argv[4] : "";
    if (argc < 5 || argc > 7 || !ParseNumber(argv[1], width) || !ParseNumber(argv[2], height) ||
        !ParseNumber(argv[3], bits) || (bits != 16 && bits != 32) || (vsync != "on" && vsync != "off") ||
        (argc >= 6 && !ParseNumber(argv[5], frames)) || (argc == 7 && !ParseNumber(argv[6], warmUp)) ||
        (argc >= 6 && frames < warmUp + 2)) {
        std::fputs("usage: vsync_run WIDTH HEIGHT 16|32 on|off [FRAMES [WARM-UP]]\n", stderr);
        return 2;
    }
    tsln::VsyncTestParams params;
    params.width = static_cast<int>(width);
    params.height = static_cast<int>(height);
    params.bitDepth = static_cast<int>(bits);
    params.backBufferFormat = bits == 16 ? tsln::kFormatR5G6B5 : tsln::kFormatX8R8G8B8;
    params.vsyncOn = vsync == "on";

    tsln::FrameProbe probe;
    probe.stopAfterFrames = static_cast<uint64_t>(frames);
    probe.warmUpFrames = static_cast<uint64_t>(warmUp);
    const std::string message = tsln::MakeDirect3D8Tester(probe)->Run(params);

    const std::string report = "result: " + (message.empty() ? std::string("ok") : message) +
                               "\nframes: " + std::to_string(probe.frames) + "\n" + FrameRates(probe);
    std::fputs(report.c_str(), stdout);
    std::fflush(stdout);
    return message.empty() ? 0 : 1;
}
