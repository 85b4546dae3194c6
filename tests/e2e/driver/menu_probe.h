#pragma once
// Shared by the driver and the hook DLL that reads menu states inside tsln.exe.

constexpr char kMenuProbeMessage[] = "TslnMenuProbe";

// The answer left in the window property: the menu ID in the high half, so
// that a stale answer is never taken for a new one, and GetMenuState's result
// (0xFFFF when the item does not exist) in the low half.
constexpr unsigned long MenuProbeAnswer(unsigned id, unsigned state) {
    return (static_cast<unsigned long>(id & 0x7FFF) << 16) | (state & 0xFFFF);
}
