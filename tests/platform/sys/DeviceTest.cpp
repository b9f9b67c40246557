#include <gtest/gtest.h>
#include <sys/utsname.h>

#include "support/TemporaryDirectory.h"
#include "sys/Device.h"

namespace {

using testsupport::TemporaryDirectory;

TEST(DeviceTest, ReadsFactsFromTheSystemFiles) {
    TemporaryDirectory root;
    root.write("etc/os-release", "NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n");
    root.write("etc/machine-info", "PRETTY_HOSTNAME='Kitchen Laptop'\n");
    root.write("sys/class/dmi/id/product_name", "ThinkPad X1 Carbon\n");
    auto device = sys::Device::create(root.path());
    EXPECT_EQ(device->systemVersion(), "12");
    EXPECT_EQ(device->name(), "Kitchen Laptop");
    EXPECT_EQ(device->model(), "ThinkPad X1 Carbon");
}

TEST(DeviceTest, FallsBackToTheKernelAndHost) {
    TemporaryDirectory root;
    root.write("etc/os-release", "NAME=Rolling\nVERSION_ID=\n");
    auto device = sys::Device::create(root.path());
    utsname system{};
    ::uname(&system);
    EXPECT_EQ(device->systemVersion(), system.release);
    EXPECT_EQ(device->model(), system.machine);
    EXPECT_FALSE(device->name().empty());
}

TEST(DeviceTest, BatteryIsTheFirstBatteryAmongThePowerSupplies) {
    TemporaryDirectory root;
    root.write("sys/class/power_supply/AC/type", "Mains\n");
    root.write("sys/class/power_supply/AC/online", "1\n");
    root.write("sys/class/power_supply/BAT1/type", "Battery\n");
    root.write("sys/class/power_supply/BAT1/capacity", "20\n");
    root.write("sys/class/power_supply/BAT0/type", "Battery\n");
    root.write("sys/class/power_supply/BAT0/energy_now", "42800000\n");
    root.write("sys/class/power_supply/BAT0/energy_full", "50000000\n");
    EXPECT_FLOAT_EQ(sys::Device::create(root.path())->batteryLevel(), 0.856f);

    // Percent capacity wins over energy counters.
    root.write("sys/class/power_supply/BAT0/capacity", "50\n");
    EXPECT_FLOAT_EQ(sys::Device::create(root.path())->batteryLevel(), 0.5f);
}

TEST(DeviceTest, AnUnknownBatteryReadsMinusOne) {
    // No supplies at all, a battery marked absent, and a garbled capacity.
    const std::vector<std::pair<const char*, const char*>> batteries[] = {
        {}, {{"present", "0\n"}, {"capacity", "77\n"}}, {{"capacity", "full\n"}}};
    for (const auto& files : batteries) {
        TemporaryDirectory root;
        if (!files.empty()) root.write("sys/class/power_supply/BAT0/type", "Battery\n");
        for (auto [name, content] : files)
            root.write(std::string("sys/class/power_supply/BAT0/") + name, content);
        EXPECT_EQ(sys::Device::create(root.path())->batteryLevel(), -1.0f) << files.size();
    }
}

}  // namespace
