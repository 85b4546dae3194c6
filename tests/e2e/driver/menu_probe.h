#pragma once
// Shared by the driver and the hook DLL that reads menu states inside tsln.exe.

constexpr char kMenuProbeMessage[] = "TslnMenuProbe";
// Where the hook copies the call number the driver sent, so that an answer
// left by an earlier call is never taken for this one.
constexpr char kMenuProbeCall[] = "TslnMenuProbeCall";

// The answer left in the window property: the menu ID in the high half and
// GetMenuState's result (0xFFFF when the item does not exist) in the low half.
constexpr unsigned long MenuProbeAnswer(unsigned id, unsigned state) {
    return (static_cast<unsigned long>(id & 0x7FFF) << 16) | (state & 0xFFFF);
}
