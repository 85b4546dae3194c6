#include <windows.h>
// After <windows.h>, which it needs.
#include <d3d8.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "vsync/com_ref.h"
#include "vsync/d3d8_text.h"
#include "vsync/vertices.h"
#include "vsync/vsync_device.h"

namespace tsln {
namespace {

// The GDI bitmap a line is rendered into and the texture that holds all
// lines have this size: room for the test's two lines and two more. 512 is
// the widest texture the oldest adapters this runs on accept.
constexpr int kBitmapWidth = 512;
constexpr int kBitmapHeight = 64;
constexpr size_t kMaxLines = 4;

constexpr DWORD kTextVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct TextVertex {
    float x, y, z, rhw;
    DWORD diffuse;
    float u, v;
};

class GdiObject {
public:
    GdiObject() = default;
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(nullptr); }
    void Reset(HGDIOBJ object) {
        if (object_ != nullptr)
            DeleteObject(object_);
        object_ = object;
    }
    HGDIOBJ Get() const { return object_; }

private:
    HGDIOBJ object_ = nullptr;
};

class MemoryDc {
public:
    MemoryDc() = default;
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    ~MemoryDc() {
        if (dc_ != nullptr)
            DeleteDC(dc_);
    }
    bool Create() {
        dc_ = CreateCompatibleDC(nullptr);
        return dc_ != nullptr;
    }
    HDC Get() const { return dc_; }

private:
    HDC dc_ = nullptr;
};

// Puts back what was selected into the DC before, so that the DC and the
// objects can be deleted.
class Selection {
public:
    Selection() = default;
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
    ~Selection() { Restore(); }
    void Select(HDC dc, HGDIOBJ object) {
        Restore();
        previous_ = SelectObject(dc, object);
        dc_ = dc;
    }
    void Restore() {
        if (dc_ != nullptr)
            SelectObject(dc_, previous_);
        dc_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// White text on black in a 32-bit top-down bitmap: the brightness of a
// pixel is how much the glyphs cover it.
class GdiText {
public:
    bool Create(const std::string& faceName, int pointSize) {
        if (!dc_.Create())
            return false;
        const int height = -MulDiv(pointSize, GetDeviceCaps(dc_.Get(), LOGPIXELSY), 72);
        font_.Reset(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, faceName.c_str()));
        // The font mapper answers every name with some font; only the face
        // actually chosen tells whether the one asked for is installed.
        if (font_.Get() == nullptr || !HasFace(font_.Get(), faceName))
            font_.Reset(SystemFont(height));
        HGDIOBJ font = font_.Get() != nullptr ? font_.Get() : GetStockObject(DEFAULT_GUI_FONT);

        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kBitmapWidth;
        info.bmiHeader.biHeight = -kBitmapHeight;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (bitmap_.Get() == nullptr || bits == nullptr)
            return false;
        pixels_ = static_cast<const uint32_t*>(bits);

        fontSelection_.Select(dc_.Get(), font);
        bitmapSelection_.Select(dc_.Get(), bitmap_.Get());
        SetTextColor(dc_.Get(), RGB(255, 255, 255));
        SetBkMode(dc_.Get(), TRANSPARENT);
        return true;
    }

    // Renders text clipped to width x height at the top left; rows are
    // kBitmapWidth apart. extent is the part the text covers.
    const uint32_t* Render(const std::string& text, int width, int height, SIZE& extent) {
        const int length = static_cast<int>(text.size());
        PatBlt(dc_.Get(), 0, 0, width, height, BLACKNESS);
        RECT needed = {0, 0, width, height};
        DrawTextA(dc_.Get(), text.c_str(), length, &needed, DT_LEFT | DT_TOP | DT_NOPREFIX | DT_CALCRECT);
        // A pixel more for the overhang of italic or antialiased glyph edges.
        extent.cx = std::min<LONG>(needed.right + 1, width);
        extent.cy = std::min<LONG>(needed.bottom, height);
        RECT rect = {0, 0, width, height};
        DrawTextA(dc_.Get(), text.c_str(), length, &rect, DT_LEFT | DT_TOP | DT_NOPREFIX);
        GdiFlush();
        return pixels_;
    }

private:
    bool HasFace(HGDIOBJ font, const std::string& faceName) {
        Selection selection;
        selection.Select(dc_.Get(), font);
        char face[LF_FACESIZE] = {};
        return GetTextFaceA(dc_.Get(), LF_FACESIZE, face) > 0 && lstrcmpiA(face, faceName.c_str()) == 0;
    }

    // The system's dialog font at the size asked for.
    static HGDIOBJ SystemFont(int height) {
        LOGFONTA font = {};
        if (GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font) == 0)
            return nullptr;
        font.lfHeight = height;
        font.lfWidth = 0;
        font.lfQuality = ANTIALIASED_QUALITY;
        return CreateFontIndirectA(&font);
    }

    // Declared so that the selections are undone before the DC and the
    // objects are deleted.
    GdiObject font_;
    GdiObject bitmap_;
    MemoryDc dc_;
    Selection fontSelection_;
    Selection bitmapSelection_;
    const uint32_t* pixels_ = nullptr;
};

bool SameRect(const TextRect& a, const TextRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// All lines share one texture, stacked in rows, and are drawn together in
// one call at the end of the scene: on a software renderer each draw and
// each change of state costs about as much as the pixels.
class Direct3D8TextOverlay final : public TextOverlay {
public:
    explicit Direct3D8TextOverlay(IDirect3DDevice8& device) : device_(device) {}

    bool Create(const std::string& faceName, int pointSize) {
        if (!gdi_.Create(faceName, pointSize) || !CreateAtlas())
            return false;
        batch_.reserve(kMaxLines * 6);
        // States only the text uses, set once for the device's life: blend by
        // the glyph coverage in the texture's alpha, times the colour's alpha.
        return SUCCEEDED(device_.SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA)) &&
               SUCCEEDED(device_.SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA)) &&
               SUCCEEDED(device_.SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE));
    }

    bool Draw(const std::string& text, const TextRect& rect, uint32_t colour) override {
        Line* line = FindLine(rect);
        if (line == nullptr)
            return false;
        if (!line->rendered || line->text != text) {
            if (!Upload(*line, text))
                return false;
        }
        // Only over the pixels the text covers: blending is the dear part.
        // Pixel centres on texel centres, so that the glyphs stay sharp.
        const float left = static_cast<float>(rect.left) - 0.5f;
        const float top = static_cast<float>(rect.top) - 0.5f;
        const float right = left + static_cast<float>(line->extent.cx);
        const float bottom = top + static_cast<float>(line->extent.cy);
        const float u = static_cast<float>(line->extent.cx) / kBitmapWidth;
        const float v0 = static_cast<float>(line->row) / kBitmapHeight;
        const float v1 = static_cast<float>(line->row + line->extent.cy) / kBitmapHeight;
        const DWORD diffuse = colour;
        const TextVertex topLeft = {left, top, 0.0f, 1.0f, diffuse, 0.0f, v0};
        const TextVertex topRight = {right, top, 0.0f, 1.0f, diffuse, u, v0};
        const TextVertex bottomLeft = {left, bottom, 0.0f, 1.0f, diffuse, 0.0f, v1};
        const TextVertex bottomRight = {right, bottom, 0.0f, 1.0f, diffuse, u, v1};
        batch_.insert(batch_.end(), {topLeft, topRight, bottomLeft, topRight, bottomRight, bottomLeft});
        return true;
    }

    // The text goes over everything drawn before; then the scene's own
    // states come back as the test loop set them.
    bool Finish() override {
        if (batch_.empty())
            return true;
        const bool drawn = SUCCEEDED(device_.SetVertexShader(kTextVertexFormat)) &&
                           SUCCEEDED(device_.SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE)) &&
                           SUCCEEDED(device_.SetTexture(0, atlas_.Get())) &&
                           SUCCEEDED(device_.DrawPrimitiveUP(D3DPT_TRIANGLELIST, static_cast<UINT>(batch_.size() / 3),
                                                             batch_.data(), sizeof(TextVertex)));
        batch_.clear();
        return SUCCEEDED(device_.SetTexture(0, nullptr)) &&
               SUCCEEDED(device_.SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE)) &&
               SUCCEEDED(device_.SetVertexShader(kVertexFormat)) && drawn;
    }

private:
    struct Line {
        TextRect rect;
        int width = 0;
        int height = 0;
        int row = 0;  // first row in the shared texture
        SIZE extent = {0, 0};
        bool rendered = false;
        std::string text;
    };

    // 8-bit alpha where the adapter has it, else 4-bit. A power of two in
    // both directions: the oldest adapters take no other texture sizes.
    bool CreateAtlas() {
        for (D3DFORMAT format : {D3DFMT_A8R8G8B8, D3DFMT_A4R4G4B4}) {
            if (SUCCEEDED(device_.CreateTexture(kBitmapWidth, kBitmapHeight, 1, 0, format, D3DPOOL_MANAGED,
                                                atlas_.Receive()))) {
                format_ = format;
                return true;
            }
        }
        return false;
    }

    Line* FindLine(const TextRect& rect) {
        for (Line& line : lines_) {
            if (SameRect(line.rect, rect))
                return &line;
        }
        const int width = rect.right - rect.left;
        const int height = rect.bottom - rect.top;
        const int row = lines_.empty() ? 0 : lines_.back().row + lines_.back().height;
        if (lines_.size() == kMaxLines || width <= 0 || height <= 0 || width > kBitmapWidth ||
            row + height > kBitmapHeight) {
            return nullptr;
        }
        Line line;
        line.rect = rect;
        line.width = width;
        line.height = height;
        line.row = row;
        lines_.push_back(line);
        return &lines_.back();
    }

    // White, with the glyph coverage as alpha; the colour comes with the
    // vertices. Outside the line's width the row is transparent.
    bool Upload(Line& line, const std::string& text) {
        const uint32_t* pixels = gdi_.Render(text, line.width, line.height, line.extent);
        RECT rows = {0, line.row, kBitmapWidth, line.row + line.height};
        D3DLOCKED_RECT locked;
        if (FAILED(atlas_->LockRect(0, &locked, &rows, 0)))
            return false;
        for (int y = 0; y < line.height; ++y) {
            BYTE* row = static_cast<BYTE*>(locked.pBits) + static_cast<ptrdiff_t>(y) * locked.Pitch;
            for (int x = 0; x < kBitmapWidth; ++x) {
                uint32_t coverage = 0;
                if (x < line.width) {
                    const uint32_t pixel = pixels[y * kBitmapWidth + x];
                    coverage = std::max({pixel & 0xFF, (pixel >> 8) & 0xFF, (pixel >> 16) & 0xFF});
                }
                if (format_ == D3DFMT_A8R8G8B8) {
                    reinterpret_cast<uint32_t*>(row)[x] = (coverage << 24) | 0x00FFFFFF;
                } else {
                    reinterpret_cast<uint16_t*>(row)[x] = static_cast<uint16_t>(((coverage >> 4) << 12) | 0x0FFF);
                }
            }
        }
        if (FAILED(atlas_->UnlockRect(0)))
            return false;
        line.text = text;
        line.rendered = true;
        return true;
    }

    IDirect3DDevice8& device_;
    GdiText gdi_;
    ComRef<IDirect3DTexture8> atlas_;
    D3DFORMAT format_ = D3DFMT_UNKNOWN;
    std::vector<Line> lines_;
    std::vector<TextVertex> batch_;
};

}  // namespace

std::unique_ptr<TextOverlay> MakeTextOverlay(IDirect3DDevice8& device, const std::string& faceName, int pointSize) {
    auto overlay = std::make_unique<Direct3D8TextOverlay>(device);
    if (!overlay->Create(faceName, pointSize))
        return nullptr;
    return overlay;
}

}  // namespace tsln
