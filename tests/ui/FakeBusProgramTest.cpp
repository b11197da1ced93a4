// The whole window on a Linux I2C bus of a fake kernel.
#include "BusWindowFixture.h"
#include "FakeKernelBus.h"

#include "ptx/Backend.h"
#include "ptx/i2cdev/I2cDevBackend.h"

using FakeBusProgramTest = BusWindowFixture;

TEST_F(FakeBusProgramTest, StartsReadsBackAndDrivesTheChip)
{
    auto kernel = std::make_shared<ptx::i2cdev::FakeKernelBus>();
    auto& chip = kernel->plug(5, { .name = "MCP2221 usb-i2c bridge" }).registers;
    ptx::installBackend(ptx::i2cdev::createBackend("i2c:MCP2221", kernel));
    runOperations([&](int reg) { return chip[reg]; }, [&](int reg, int value) { chip[reg] = value; });
}
