// A program that imports a function Windows 2000 does not have
// (GetTickCount64, Vista and later), so the test suite can show that the
// product check refuses such an import.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return GetTickCount64() == 0 ? 1 : 0;
}
