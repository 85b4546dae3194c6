#pragma once
// A device that behaves like Direct3D 8 as far as the loop can tell: it keeps
// track of what exists, refuses calls on things that do not, records every
// call, and fails any chosen call. Plus a clock the test moves by hand.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "vsync/vsync_device.h"

namespace tsln::test {

class FakeTickClock : public TickClock {
public:
    uint32_t now = 0;
    uint32_t advancePerRead = 0;  // a clock that moves while it is read
    int reads = 0;

    uint32_t TickCount() override {
        ++reads;
        const uint32_t t = now;
        now += advancePerRead;
        return t;
    }
};

struct DrawnText {
    std::string text;
    TextRect rect;
    uint32_t colour;
};

class FakeVsyncDevice : public VsyncDevice {
public:
    // Every call by name, with its values where the order of set-up matters.
    std::vector<std::string> calls;
    // Calls made on something that did not exist or in the wrong state; a
    // correct loop leaves this empty on every path.
    std::vector<std::string> misuse;
    // What exists now: window, library, direct3d, device, font, vertexBuffer.
    std::set<std::string> live;

    std::vector<PresentParameters> deviceParams;
    std::vector<uint32_t> deviceBehaviour;
    std::map<uint32_t, std::vector<Matrix4>> transforms;
    std::vector<uint8_t> vertexBufferBytes;
    std::vector<DrawnText> texts;
    int presents = 0;

    // The user clicks during the frame whose messages are pumped for the nth time.
    int clickAtPump = 1;
    std::function<void()> onPresent;

    // The nth call (1-based) of the named operation fails; for Present, with
    // the given result.
    void Fail(const std::string& name, int occurrence = 1, PresentResult how = PresentResult::Failed) {
        failures_[name].insert(occurrence);
        presentFailure_ = how;
    }

    // The last count calls.
    std::vector<std::string> LastCalls(size_t count) const {
        const size_t first = calls.size() > count ? calls.size() - count : 0;
        return std::vector<std::string>(calls.begin() + static_cast<std::ptrdiff_t>(first), calls.end());
    }
    int Count(const std::string& name) const {
        int n = 0;
        for (const auto& call : calls)
            n += call == name || call.rfind(name + " ", 0) == 0;
        return n;
    }

    bool OpenRenderWindow() override { return Create("OpenRenderWindow", "window", {}); }
    bool LoadDirect3D() override { return Create("LoadDirect3D", "library", {}); }
    bool CreateDirect3D() override { return Create("CreateDirect3D", "direct3d", {"library"}); }
    bool CreateDevice(const PresentParameters& params, uint32_t behaviourFlags) override {
        deviceParams.push_back(params);
        deviceBehaviour.push_back(behaviourFlags);
        return Create("CreateDevice " + Hex(behaviourFlags), "device", {"direct3d", "window"}, "CreateDevice");
    }
    bool SetVertexShader(uint32_t vertexFormat) override {
        return Use("SetVertexShader " + Hex(vertexFormat), {"device"}, "SetVertexShader");
    }
    bool SetRenderState(uint32_t state, uint32_t value) override {
        return Use("SetRenderState " + std::to_string(state) + " " + std::to_string(value), {"device"},
                   "SetRenderState");
    }
    bool SetTransform(uint32_t which, const Matrix4& matrix) override {
        transforms[which].push_back(matrix);
        return Use("SetTransform " + std::to_string(which), {"device"}, "SetTransform");
    }
    bool CreateTextFont(const std::string& faceName, int pointSize) override {
        return Create("CreateTextFont " + faceName + " " + std::to_string(pointSize), "font", {"device"},
                      "CreateTextFont");
    }
    bool CreateVertexBuffer(uint32_t length, uint32_t usage, uint32_t vertexFormat, uint32_t pool) override {
        return Create("CreateVertexBuffer " + std::to_string(length) + " " + std::to_string(usage) + " " +
                          Hex(vertexFormat) + " " + std::to_string(pool),
                      "vertexBuffer", {"device"}, "CreateVertexBuffer");
    }
    bool FillVertexBuffer(const Vertex* vertices, uint32_t bytes) override {
        if (!Use("FillVertexBuffer " + std::to_string(bytes), {"vertexBuffer"}, "FillVertexBuffer"))
            return false;
        vertexBufferBytes.resize(bytes);
        std::memcpy(vertexBufferBytes.data(), vertices, bytes);
        return true;
    }

    bool Clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) override {
        char text[80];
        std::snprintf(text, sizeof text, "Clear %u %u %g %u", static_cast<unsigned>(flags),
                      static_cast<unsigned>(colour), static_cast<double>(z), static_cast<unsigned>(stencil));
        return OutsideScene(text, "Clear");
    }
    bool BeginScene() override {
        if (!OutsideScene("BeginScene", "BeginScene"))
            return false;
        inScene_ = true;
        return true;
    }
    bool SetStreamSource(uint32_t stream, uint32_t stride) override {
        return Use("SetStreamSource " + std::to_string(stream) + " " + std::to_string(stride), {"vertexBuffer"},
                   "SetStreamSource");
    }
    bool DrawPrimitive(uint32_t primitiveType, uint32_t startVertex, uint32_t primitiveCount) override {
        if (!streamBound_)
            misuse.push_back("DrawPrimitive without a stream source");
        return InsideScene("DrawPrimitive " + std::to_string(primitiveType) + " " + std::to_string(startVertex) + " " +
                               std::to_string(primitiveCount),
                           "DrawPrimitive");
    }
    bool DrawText(const std::string& text, const TextRect& rect, uint32_t colour) override {
        if (live.count("font") == 0)
            misuse.push_back("DrawText without a font");
        if (!InsideScene("DrawText", "DrawText"))
            return false;
        texts.push_back({text, rect, colour});
        return true;
    }
    bool EndScene() override {
        if (!InsideScene("EndScene", "EndScene"))
            return false;
        inScene_ = false;
        return true;
    }
    PresentResult Present() override {
        if (!OutsideScene("Present", "Present"))
            return presentFailure_;
        ++presents;
        if (onPresent)
            onPresent();
        return PresentResult::Ok;
    }
    bool PumpMessages() override {
        calls.push_back("PumpMessages");
        ++pumps_;
        return pumps_ >= clickAtPump;
    }

    void ReleaseTextFont() override { Release("ReleaseTextFont", "font", {}); }
    void ReleaseVertexBuffer() override { Release("ReleaseVertexBuffer", "vertexBuffer", {}); }
    void ReleaseDevice() override { Release("ReleaseDevice", "device", {"font", "vertexBuffer"}); }
    void ReleaseDirect3D() override { Release("ReleaseDirect3D", "direct3d", {"device"}); }
    // Unloading d3d8.dll under a live object would crash the real program.
    void UnloadDirect3D() override {
        Release("UnloadDirect3D", "library", {"direct3d", "device", "font", "vertexBuffer"});
    }
    void CloseRenderWindow() override { Release("CloseRenderWindow", "window", {"device"}); }

private:
    static std::string Hex(uint32_t value) {
        char text[16];
        std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
        return text;
    }

    // Records the call; false when the test chose to fail this occurrence.
    bool Call(const std::string& call, const std::string& name) {
        calls.push_back(call);
        const int n = ++counts_[name];
        const auto it = failures_.find(name);
        return it == failures_.end() || it->second.count(n) == 0;
    }
    bool Needs(const std::string& call, const std::vector<std::string>& needed) {
        bool ok = true;
        for (const auto& object : needed) {
            if (live.count(object) == 0) {
                misuse.push_back(call + " without " + object);
                ok = false;
            }
        }
        return ok;
    }
    bool Create(const std::string& call, const std::string& object, const std::vector<std::string>& needed,
                std::string name = "") {
        if (name.empty())
            name = call;
        if (live.count(object) != 0)
            misuse.push_back(call + ": " + object + " exists already");
        const bool needsMet = Needs(call, needed);
        if (!Call(call, name) || !needsMet)
            return false;
        live.insert(object);
        return true;
    }
    bool Use(const std::string& call, const std::vector<std::string>& needed, const std::string& name) {
        const bool needsMet = Needs(call, needed);
        const bool ok = Call(call, name) && needsMet;
        if (ok && name == "SetStreamSource")
            streamBound_ = true;
        return ok;
    }
    bool InsideScene(const std::string& call, const std::string& name) {
        if (!inScene_)
            misuse.push_back(call + " outside a scene");
        return Use(call, {"device"}, name);
    }
    bool OutsideScene(const std::string& call, const std::string& name) {
        if (inScene_)
            misuse.push_back(call + " inside a scene");
        return Use(call, {"device"}, name);
    }
    void Release(const std::string& call, const std::string& object, const std::vector<std::string>& mustBeGone) {
        calls.push_back(call);
        if (live.count(object) == 0)
            misuse.push_back(call + ": nothing to release");
        for (const auto& other : mustBeGone) {
            if (live.count(other) != 0)
                misuse.push_back(call + " while " + other + " is alive");
        }
        live.erase(object);
        if (object == "device")
            inScene_ = false;
        if (object == "vertexBuffer")
            streamBound_ = false;
    }

    std::map<std::string, std::set<int>> failures_;
    std::map<std::string, int> counts_;
    PresentResult presentFailure_ = PresentResult::Failed;
    bool inScene_ = false;
    bool streamBound_ = false;
    int pumps_ = 0;
};

}  // namespace tsln::test
