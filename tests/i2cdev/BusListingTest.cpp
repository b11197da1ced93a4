#include "FakeKernelBus.h"

#include "ptx/i2cdev/BusListing.h"

#include <gtest/gtest.h>

#include <fstream>

namespace ptx::i2cdev {
namespace {

TEST(BusListing, NamesEveryBusFromSysfsAndHintsAtMissingNodes)
{
    FakeKernelBus kernel;
    EXPECT_EQ(
        describeBuses(kernel.sysRoot(), kernel.devRoot()), "no I2C buses found (is a USB-to-I2C bridge plugged in?)\n");

    kernel.plug(12, { .name = "MCP2221 usb-i2c bridge" });
    kernel.plug(0, { .name = "SMBus I801 adapter at efa0" });
    kernel.plug(3, { .name = "CP2112 SMBus Bridge on hidraw1", .withNode = false });
    kernel.plug(4, { .name = "i2c-tiny-usb at bus 001 device 005" });
    kernel.unplug(4);
    // A node without sysfs, as in a container that does not mount /sys.
    std::ofstream(kernel.devRoot() / "i2c-7");

    const std::string devRoot = kernel.devRoot().string();
    EXPECT_EQ(describeBuses(kernel.sysRoot(), kernel.devRoot()),
        "i2c-0\tSMBus I801 adapter at efa0\n"
        "i2c-3\tCP2112 SMBus Bridge on hidraw1\t(no "
            + devRoot
            + "/i2c-3: load the i2c-dev module: sudo modprobe i2c-dev)\n"
              "i2c-7\t(adapter name unknown)\n"
              "i2c-12\tMCP2221 usb-i2c bridge\n");
    // Listing is sysfs and directory reading only.
    EXPECT_TRUE(kernel.openAttempts().empty());
}

} // namespace
} // namespace ptx::i2cdev
