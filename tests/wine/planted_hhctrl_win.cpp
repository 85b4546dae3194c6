// A stand-in hhctrl.ocx that the build puts beside the test program, where a bare LoadLibrary("hhctrl.ocx")
// finds it before the system's copy. Its HtmlHelpA answers with a window the real one never gives, so a test
// can tell which of the two the program loaded.
#include <windows.h>

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR) {
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x7E57));
}
