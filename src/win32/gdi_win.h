#pragma once
// Owners for the GDI objects the views create.
#include <windows.h>

#include <string>

namespace tsln {

class UniqueFont {
public:
    UniqueFont() = default;
    explicit UniqueFont(HFONT font) : font_(font) {}
    ~UniqueFont() { Reset(); }
    UniqueFont(const UniqueFont&) = delete;
    UniqueFont& operator=(const UniqueFont&) = delete;
    UniqueFont(UniqueFont&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    UniqueFont& operator=(UniqueFont&& other) noexcept {
        if (this != &other) {
            Reset();
            font_ = other.font_;
            other.font_ = nullptr;
        }
        return *this;
    }
    HFONT Get() const { return font_; }
    void Reset() {
        if (font_ != nullptr)
            DeleteObject(font_);
        font_ = nullptr;
    }

private:
    HFONT font_ = nullptr;
};

// A variant of a window's font (bold, underlined).
UniqueFont DeriveFont(HWND window, bool bold, bool underline);

// "Trebuchet MS" at 8.25 pt when the system has it; an empty owner otherwise,
// and the dialog keeps its own font.
UniqueFont TrebuchetFont(bool bold);

void SetFontOnChildren(HWND dialog, HFONT font);

std::string WindowText(HWND window);

}  // namespace tsln
