#pragma once
// Text in a Direct3D 8 scene, which has no text of its own: GDI renders a
// line into a texture when its text changes, and each frame draws the lines
// as quads over the picture.
#include <cstdint>
#include <memory>
#include <string>

#include "vsync/vsync_device.h"

struct IDirect3DDevice8;

namespace tsln {

class TextOverlay {
public:
    virtual ~TextOverlay() = default;
    // Inside a scene; each distinct rectangle is one line. The line is drawn
    // by Finish, over everything drawn before it.
    virtual bool Draw(const std::string& text, const TextRect& rect, uint32_t colour) = 0;
    // Draws the lines of this scene and puts back the device states it
    // changed; just before EndScene.
    virtual bool Finish() = 0;
};

// The font by name and size in points; when the system lacks it, the
// system's dialog font at that size. Null when the GDI objects or the
// texture cannot be made.
std::unique_ptr<TextOverlay> MakeTextOverlay(IDirect3DDevice8& device, const std::string& faceName, int pointSize);

}  // namespace tsln
