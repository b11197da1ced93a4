// kv3124ctl as its main runs it, on a fake kernel whose bus i2c-5 has a chip, whose bus i2c-6 fails every
// transfer, whose USB bridge on i2c-7 is going away and whose USB bridge on i2c-8 was plugged in 5 s ago. Ends with
// status 3 when a bus node received a byte: anything written to it, rather than through its transfers, is bus traffic.
#include "FakeKernelBus.h"

#include "cli/CtlProgram.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <filesystem>

int main(int argc, char** argv)
{
    auto kernel = std::make_shared<ptx::i2cdev::FakeKernelBus>();
    kernel->plug(5, { .name = "MCP2221 usb-i2c bridge" });
    kernel->plug(6, { .name = "CP2112 usb-i2c bridge", .failures = { { "SMBUS", EIO } } });
    const std::string usb = "pci0000:00/0000:00:14.0/usb1/";
    kernel->plug(7,
        { .name = "MCP2221 usb-i2c bridge",
            .parent = usb + "1-2/1-2:1.0/0003:04D8:00DD.0001",
            .serial = "KV-SN-000A",
            .failures = { { "SMBUS", ENODEV } } });
    kernel->plug(8,
        { .name = "CP2112 SMBus Bridge on hidraw1",
            .parent = usb + "1-3/1-3:1.0/0003:10C4:EA90.0002",
            .pluggedInMs = 5000,
            .failures = { { "SMBUS", ETIMEDOUT } } });
    ptx::i2cdev::installKernel(kernel);
    const int status = runCtlProgram(argc, argv);
    for (const char* node : { "i2c-5", "i2c-6", "i2c-7", "i2c-8" })
        if (std::filesystem::file_size(kernel->devRoot() / node) != 0)
            return 3;
    return status;
}
