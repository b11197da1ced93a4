// kv3124ctl as its main runs it, on a fake kernel whose bus i2c-5 has a chip. Ends with status 3 when the
// bus node received a byte: anything written to it, rather than through its transfers, is bus traffic.
#include "FakeKernelBus.h"

#include "cli/CtlProgram.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <filesystem>

int main(int argc, char** argv)
{
    auto kernel = std::make_shared<ptx::i2cdev::FakeKernelBus>();
    kernel->plug(5, { .name = "MCP2221 usb-i2c bridge" });
    ptx::i2cdev::installKernel(kernel);
    const int status = runCtlProgram(argc, argv);
    return std::filesystem::file_size(kernel->devRoot() / "i2c-5") == 0 ? status : 3;
}
