#pragma once
// The other operating-system services the program reads or drives, each
// behind a small interface with a Win32 implementation (*_win.cpp) and a
// portable one that works on a machine profile.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tsln {

// One entry of EnumDisplaySettingsA: the four DEVMODE fields the program reads.
struct DisplayMode {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bitsPerPel = 0;
    std::uint32_t frequency = 0;
};

class DisplayModeApi {
public:
    virtual ~DisplayModeApi() = default;
    // EnumDisplaySettingsA(NULL, modeNum, ...): false once modeNum is past the last mode.
    virtual bool EnumDisplaySettings(std::uint32_t modeNum, DisplayMode* mode) = 0;
};

// One entry of EnumDisplayDevicesA: the DISPLAY_DEVICEA fields, as text.
struct DisplayDevice {
    std::string deviceName;    // "\\.\DISPLAY1", or "\\.\DISPLAY1\Monitor0" for a monitor
    std::string deviceString;  // "NVIDIA GeForce4 Ti 4600", "Plug and Play Monitor"
    std::uint32_t stateFlags = 0;
    std::string deviceId;   // a monitor's: "MONITOR\SAM0108\{4D36E96E-E325-11CE-BFC1-08002BE10318}\0000"
    std::string deviceKey;  // the registry key of the device's driver
};

constexpr std::uint32_t kDisplayDevicePrimaryDevice = 0x00000004;

class DisplayDeviceApi {
public:
    virtual ~DisplayDeviceApi() = default;
    // EnumDisplayDevicesA(device, devNum, ...): device null for the adapters, an adapter's deviceName for
    // its monitors. False once devNum is past the last one.
    virtual bool EnumDisplayDevices(const char* device, std::uint32_t devNum, DisplayDevice* result) = 0;
};

// VS_FIXEDFILEINFO, field for field (52 bytes).
struct FixedFileInfo {
    std::uint32_t signature;
    std::uint32_t strucVersion;
    std::uint32_t fileVersionMS;
    std::uint32_t fileVersionLS;
    std::uint32_t productVersionMS;
    std::uint32_t productVersionLS;
    std::uint32_t fileFlagsMask;
    std::uint32_t fileFlags;
    std::uint32_t fileOS;
    std::uint32_t fileType;
    std::uint32_t fileSubtype;
    std::uint32_t fileDateMS;
    std::uint32_t fileDateLS;
};
static_assert(sizeof(FixedFileInfo) == 52, "VS_FIXEDFILEINFO is 52 bytes");

class FileVersionApi {
public:
    virtual ~FileVersionApi() = default;
    // GetFileVersionInfoSizeA: 0 when the file or its version resource is missing.
    virtual std::uint32_t GetFileVersionInfoSize(const std::string& path) = 0;
    // GetFileVersionInfoA
    virtual bool GetFileVersionInfo(const std::string& path, std::uint32_t size, void* data) = 0;
    // VerQueryValueA(block, "\\", ...): copies the fixed block out when present.
    virtual bool QueryFixedFileInfo(const void* block, std::uint32_t size, FixedFileInfo* info) = 0;
};

class ShellApi {
public:
    virtual ~ShellApi() = default;
    // GetSystemDirectoryA: characters copied (without NUL), 0 on failure.
    virtual std::uint32_t GetSystemDirectory(char* buffer, std::uint32_t size) = 0;
    // True for an existing ordinary file: not a folder, not hidden, not system.
    virtual bool IsOrdinaryFile(const std::string& path) = 0;
    // HtmlHelpA from hhctrl.ocx, looked up at run time: the help window, or 0.
    virtual std::uintptr_t HtmlHelp(std::uintptr_t owner, const std::string& file, std::uint32_t command,
                                    std::uintptr_t data) = 0;
    // ShellExecuteA(NULL, NULL, file, NULL, directory, SW_SHOWNORMAL).
    virtual void ShellExecute(const std::string& file, const std::string& directory) = 0;
};

enum class FileRead { Ok, Failed, TooLarge };

// Text files the program writes (debug.txt, a choices file) and reads (a
// choices file), by their Windows path.
class FileApi {
public:
    virtual ~FileApi() = default;
    // Creates or empties the file and writes text; false when that fails.
    virtual bool WriteNew(const std::string& path, const std::string& text) = 0;
    // Appends text, creating the file when missing; false when that fails.
    virtual bool Append(const std::string& path, const std::string& text) = 0;
    // The whole file; TooLarge, with nothing read, beyond maxBytes.
    virtual FileRead ReadWhole(const std::string& path, std::size_t maxBytes, std::string* text) = 0;
    // Writes text to a new file beside path, then moves it over path in one
    // step, so that a failure at any point leaves a file already there whole.
    virtual bool Replace(const std::string& path, const std::string& text) = 0;
};

}  // namespace tsln
