#include "win32/gdi_win.h"

namespace tsln {

UniqueFont DeriveFont(HWND window, bool bold, bool underline) {
    HFONT base = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
    if (base == nullptr)
        base = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA font{};
    GetObjectA(base, sizeof font, &font);
    if (bold)
        font.lfWeight = FW_BOLD;
    if (underline)
        font.lfUnderline = TRUE;
    return UniqueFont(CreateFontIndirectA(&font));
}

UniqueFont TrebuchetFont(bool bold) {
    HDC screen = GetDC(nullptr);
    LOGFONTA wanted{};
    // 8.25 pt, in pixels of this screen.
    wanted.lfHeight = -MulDiv(825, GetDeviceCaps(screen, LOGPIXELSY), 7200);
    wanted.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, "Trebuchet MS", LF_FACESIZE);
    UniqueFont font(CreateFontIndirectA(&wanted));
    // The font mapper hands out a look-alike when the face is missing; only
    // the real face is wanted, otherwise the dialog font stays.
    char face[LF_FACESIZE] = "";
    HGDIOBJ old = SelectObject(screen, font.Get());
    GetTextFaceA(screen, LF_FACESIZE, face);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    if (lstrcmpiA(face, "Trebuchet MS") != 0)
        font.Reset();
    return font;
}

void SetFontOnChildren(HWND dialog, HFONT font) {
    if (font == nullptr)
        return;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

}  // namespace tsln
