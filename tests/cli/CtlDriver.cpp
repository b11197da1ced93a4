// kv3124ctl as its main runs it, on a fake kernel whose bus i2c-5 has a chip and whose bus i2c-6 fails
// every transfer. Ends with status 3 when a bus node received a byte: anything written to it, rather than
// through its transfers, is bus traffic.
#include "FakeKernelBus.h"

#include "cli/CtlProgram.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <filesystem>

int main(int argc, char** argv)
{
    auto kernel = std::make_shared<ptx::i2cdev::FakeKernelBus>();
    kernel->plug(5, { .name = "MCP2221 usb-i2c bridge" });
    kernel->plug(6, { .name = "CP2112 usb-i2c bridge", .failures = { { "SMBUS", EIO } } });
    ptx::i2cdev::installKernel(kernel);
    const int status = runCtlProgram(argc, argv);
    for (const char* node : { "i2c-5", "i2c-6" })
        if (std::filesystem::file_size(kernel->devRoot() / node) != 0)
            return 3;
    return status;
}
