// Finding the monitor's EDID where Windows keeps it, and the line the window
// shows about it: one matching instance or nothing, never a guess.
#include "monitor/monitor_lookup.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "monitor/edid_file.h"
#include "monitor/monitor_limits.h"
#include "platform/registry_helpers.h"
#include "profile/memory_registry.h"
#include "profile/profile_display_devices.h"

namespace tsln {
namespace {

const char kPnpKey[] = "SYSTEM\\CurrentControlSet\\Enum\\DISPLAY\\SAM0108\\";
const char kDeviceId[] = "MONITOR\\SAM0108\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000";

std::vector<std::uint8_t> SyncMaster() {
    std::ifstream file(TSLN_EDID_DIR "/SAM0108-CF2E4499DB16.txt", std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return EdidFileBytes(text.str());
}

void PutInstance(MemoryRegistry& registry, const std::string& instance, const std::string& driver, std::uint32_t type,
                 const std::vector<std::uint8_t>& edid) {
    RegSetString(registry, kHkeyLocalMachine, kPnpKey + instance, "Driver", driver);
    MemoryRegistry::Key& parameters = registry.MakeKey(kHkeyLocalMachine, kPnpKey + instance + "\\Device Parameters");
    registry.PutValue(parameters, "EDID", type, edid);
}

TEST(MonitorLookup, TheOneInstanceWhoseDriverMatchesOrNothing) {
    MemoryRegistry registry;
    ProfileDisplayDevices devices(kDeviceId);
    std::vector<std::uint8_t> other = SyncMaster();
    other[10] = 0x07;  // another product code: the monitor this port had before
    PutInstance(registry, "5&1&0&10000080&01&00", "{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0001", kRegBinary, other);
    PutInstance(registry, "5&1&0&10000090&02&00", "{4d36e96e-e325-11ce-bfc1-08002be10318}\\0000", kRegBinary,
                SyncMaster());
    ASSERT_TRUE(ReadMonitorEdid(registry, PrimaryMonitorDeviceId(devices)));
    EXPECT_EQ(ReadMonitorEdid(registry, PrimaryMonitorDeviceId(devices))->pnpId, "SAM0108");
    EXPECT_EQ(registry.OpenHandleCount(), 0u);

    ProfileDisplayDevices noMonitor("");
    EXPECT_FALSE(ReadMonitorEdid(registry, PrimaryMonitorDeviceId(noMonitor)));
    EXPECT_FALSE(FindMonitorEdid(registry, "MONITOR\\SAM0108"));
    EXPECT_FALSE(FindMonitorEdid(registry, "MONITOR\\SAM0109\\{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000"));

    // Two instances that both claim the driver key: which one is the monitor cannot be told.
    PutInstance(registry, "5&1&0&100000A0&03&00", "{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000", kRegBinary, other);
    EXPECT_FALSE(ReadMonitorEdid(registry, PrimaryMonitorDeviceId(devices)));
    ASSERT_TRUE(registry.DeleteKeyTree(kHkeyLocalMachine, std::string(kPnpKey) + "5&1&0&100000A0&03&00"));
    // An EDID that is no REG_BINARY, or none at all.
    PutInstance(registry, "5&1&0&10000090&02&00", "{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000", kRegSz, SyncMaster());
    EXPECT_FALSE(ReadMonitorEdid(registry, PrimaryMonitorDeviceId(devices)));
    ASSERT_TRUE(registry.DeleteKeyTree(kHkeyLocalMachine, std::string(kPnpKey) + "5&1&0&10000090&02&00"));
    RegSetString(registry, kHkeyLocalMachine, std::string(kPnpKey) + "5&1&0&10000090&02&00", "Driver",
                 "{4D36E96E-E325-11CE-BFC1-08002BE10318}\\0000");
    EXPECT_FALSE(ReadMonitorEdid(registry, PrimaryMonitorDeviceId(devices)));
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

std::string Caption(const std::optional<Edid>& edid) {
    return MonitorCaption(edid, ChooseLimits(std::nullopt, edid));
}

TEST(MonitorCaption, EveryForm) {
    std::optional<Edid> edid = ReadEdid(SyncMaster());
    EXPECT_EQ(Caption(edid), "SyncMaster (SAM0108), 30-85 kHz, 50-160 Hz, 180 MHz");
    edid->name.clear();
    EXPECT_EQ(Caption(edid), "SAM0108, 30-85 kHz, 50-160 Hz, 180 MHz");
    edid->name = "SyncMaster";
    // Ranges that contradict themselves are no limits to go by.
    edid->ranges->minHorizontalKHz = 90;
    EXPECT_EQ(Caption(edid), "SyncMaster (SAM0108), ranges not usable");
    edid->ranges->minHorizontalKHz = 30;
    edid->ranges->maxVerticalHz = 0;
    EXPECT_EQ(Caption(edid), "SyncMaster (SAM0108), ranges not usable");
    EXPECT_FALSE(UsableLimits(edid));
    const MonitorLimits byHand{50, 160, 30, 96};
    EXPECT_EQ(MonitorCaption(edid, ChooseLimits(byHand, edid)),
              "SyncMaster (SAM0108), 30-96 kHz, 50-160 Hz (set by hand)");
    edid->ranges.reset();
    EXPECT_EQ(Caption(edid), "SyncMaster (SAM0108), no limits reported");
    edid = ReadEdid(SyncMaster());
    edid->checksumOk = false;
    EXPECT_EQ(Caption(edid), "SyncMaster (SAM0108), EDID damaged, limits not used");
    EXPECT_FALSE(UsableLimits(edid));
    EXPECT_EQ(Caption(std::nullopt), "not reported");
    EXPECT_EQ(MonitorCaption(std::nullopt, ChooseLimits(MonitorLimits{50, 120, 30, 70}, std::nullopt)),
              "not reported, 30-70 kHz, 50-120 Hz (set by hand)");
}

}  // namespace
}  // namespace tsln
