#include "ptx/ptx.h"
#include "ptx/sim/SimulatorControl.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

using namespace ptx::sim;

namespace {

class SimulatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(ptxSelectBackend("sim"), 0);
        reset();
    }
};

const auto read = [](int reg, int handle = kHandle, int address = kDeviceAddress) {
    return ptxI2C_RegisterRead(handle, address, reg);
};
const auto write = [](int reg, int value, int handle = kHandle, int address = kDeviceAddress) {
    return ptxI2C_RegisterWrite(handle, address, reg, value);
};
// The GPIO set-up the program makes; `last` varies its last value.
const auto gpio
    = [](int handle, int last = 0) { return ptxGPIO_WriteControl(handle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, last); };

TEST_F(SimulatorTest, AdapterIsFoundOpenedOnlyByItsSerialAndAcceptsTheProgramsSetUp)
{
    EXPECT_EQ(ptxFindControllers(), 1);
    EXPECT_LT(read(0x14), 0) << "nothing answers before the adapter is open";
    char serial[PTX_SERIAL_NUMBER_SIZE] {};
    EXPECT_EQ(ptxGetSerialNumber(0, serial), 0);
    EXPECT_EQ(std::string(serial), kSerialNumber);
    EXPECT_LT(ptxOpen("SIM-3124-0002"), 0);
    const int handle = ptxOpen(serial);
    EXPECT_GT(handle, 0);
    EXPECT_EQ(handle, kHandle);

    std::array<unsigned char, 8> buffer;
    buffer.fill(0xEE);
    EXPECT_EQ(ptxFirmwareVersion_Read(handle, buffer.data(), 5), 5);
    EXPECT_EQ(buffer, (std::array<unsigned char, 8> { 2, 5, 1, 3, 1, 0xEE, 0xEE, 0xEE }));
    buffer.fill(0xEE);
    EXPECT_EQ(ptxFirmwareVersion_Read(handle, buffer.data(), 2), 2);
    EXPECT_EQ(buffer[2], 0xEE) << "wrote past the length asked";

    EXPECT_EQ(ptxI2C_Control(handle, 0, 0, 1), 0);
    EXPECT_EQ(gpio(handle), 0);
    EXPECT_EQ(ptxPower_WriteControl(handle, 1, 0), 0);
    // Other values, or another handle, are refused.
    EXPECT_LT(ptxI2C_Control(handle, 0, 1, 1), 0);
    EXPECT_LT(gpio(handle, 1), 0);
    EXPECT_LT(ptxPower_WriteControl(handle, 1, 1), 0);
    EXPECT_LT(ptxPower_WriteControl(0, 1, 0), 0);
}

TEST_F(SimulatorTest, ChipHoldsRegistersWithReadOnlyStatusAndResetBit)
{
    ASSERT_EQ(ptxOpen(kSerialNumber), kHandle);
    for (const auto& [reg, value] :
        { std::pair(0x00, 0x01), { 0x11, 0x04 }, { 0x13, 0x01 }, { 0x14, 0x3F }, { 0x20, 0 } })
        EXPECT_EQ(read(reg), value) << "register " << reg;

    EXPECT_EQ(write(0x14, 0x15), 0);
    EXPECT_EQ(read(0x14), 0x15);
    EXPECT_EQ(write(0x01, 0xFF), 0);
    EXPECT_EQ(read(0x01), 0x00);
    setStatusBits(0xC5);
    EXPECT_EQ(read(0x01), 0xC5);

    // Only device 0x2C answers, only on the open handle, and only to values that fit.
    EXPECT_LT(write(0x14, 0x00, kHandle, 0x2D), 0);
    EXPECT_LT(read(0x14, kHandle, 0x2D), 0);
    EXPECT_LT(write(0x14, 0x00, kHandle + 1), 0);
    EXPECT_LT(write(0x100, 0x00), 0);
    EXPECT_LT(write(0x14, 0x100), 0);
    EXPECT_EQ(registerValue(0x14), 0x15) << "a refused write changed the chip";

    EXPECT_EQ(write(0x00, 0x86), 0);
    for (int reg = 0; reg <= 0xFF; ++reg)
        ASSERT_EQ(registerValue(reg), powerOnValue(reg)) << "register " << reg;
    EXPECT_EQ(read(0x00), 0x01) << "the reset bit reads back clear";
}

TEST_F(SimulatorTest, LogRecordsEveryCallInOrderWithArgumentsAndResults)
{
    ptxOpen(kSerialNumber);
    write(0x03, 0xA0);
    read(0x03, kHandle, 0x2D);
    gpio(kHandle);
    read(0x03);

    const std::vector<Transaction> expected {
        { Call::Open, {}, kSerialNumber, kHandle },
        { Call::RegisterWrite, { kHandle, kDeviceAddress, 0x03, 0xA0 }, {}, 0 },
        { Call::RegisterRead, { kHandle, 0x2D, 0x03 }, {}, -1 },
        { Call::GpioWriteControl, { kHandle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0 }, {}, 0 },
        { Call::RegisterRead, { kHandle, kDeviceAddress, 0x03 }, {}, 0xA0 },
    };
    EXPECT_EQ(transactions(), expected);
    EXPECT_EQ(registerAccesses(Access::Read),
        (std::vector<RegisterAccess> {
            { Access::Read, 0x03, -1, false, kHandle, 0x2D }, { Access::Read, 0x03, 0xA0 } }));
    clearTransactions();
    EXPECT_TRUE(transactions().empty());

    // A long session keeps only the latest calls.
    for (int i = 0; i <= 1 << 16; ++i)
        write(0x03, i & 0xFF);
    const std::vector<Transaction> kept = transactions();
    ASSERT_EQ(kept.size(), std::size_t { 1 << 16 });
    EXPECT_EQ(kept.front().arguments.back(), 1);
    EXPECT_EQ(kept.back().arguments.back(), 0);
}

// The adapter connection's tests show the other faults at work.
TEST_F(SimulatorTest, SerialFirmwareUnplugAndCountedFaultsUntilReset)
{
    char serial[PTX_SERIAL_NUMBER_SIZE] {};
    setFault(Fault::SerialNumber);
    EXPECT_LT(ptxGetSerialNumber(0, serial), 0);
    EXPECT_EQ(std::string(serial), "");
    ASSERT_EQ(ptxOpen(kSerialNumber), kHandle);
    unsigned char buffer[8] {};
    setFault(Fault::FirmwareRead);
    EXPECT_LT(ptxFirmwareVersion_Read(kHandle, buffer, 5), 0);

    unplug();
    EXPECT_LT(ptxFindControllers(), 0);
    EXPECT_LT(read(0x00), 0);
    replug();
    EXPECT_EQ(read(0x00), 0x01) << "the open handle survives a re-plug";

    failNextReads(2);
    EXPECT_LT(read(0x14), 0);
    EXPECT_LT(read(0x11), 0);
    EXPECT_EQ(read(0x14), 0x3F);
    failNextWrites(1);
    EXPECT_LT(write(0x14, 0x01), 0);
    EXPECT_EQ(registerValue(0x14), 0x3F);
    EXPECT_EQ(write(0x14, 0x01), 0);

    failReadsOf(0x12);
    setReadResultOverride(0x04, 0x1A5);
    reset();
    EXPECT_TRUE(transactions().empty());
    EXPECT_LT(read(0x00), 0) << "reset closes the adapter";
    ASSERT_EQ(ptxOpen(kSerialNumber), kHandle);
    EXPECT_EQ(registerValue(0x14), 0x3F);
    EXPECT_EQ(read(0x04), 0x00);
    EXPECT_EQ(read(0x12), 0x02);
}

TEST(BackendSelection, NoneFindsNothingAndUnknownNamesKeepTheCurrentBackEnd)
{
    reset();
    ASSERT_EQ(ptxSelectBackend("none"), 0);
    EXPECT_EQ(ptxFindControllers(), 0);
    EXPECT_LT(ptxOpen(kSerialNumber), 0);
    EXPECT_LT(read(0x00), 0);
    EXPECT_TRUE(transactions().empty()) << "calls reached the simulator";

    // "sim" is the default, also for an empty or missing name.
    for (const char* name : { "sim", "", static_cast<const char*>(nullptr) }) {
        ASSERT_EQ(ptxSelectBackend("none"), 0);
        ASSERT_EQ(ptxSelectBackend(name), 0);
        EXPECT_EQ(ptxFindControllers(), 1) << (name ? name : "null");
    }
    EXPECT_LT(ptxSelectBackend("bogus"), 0);
    EXPECT_EQ(ptxFindControllers(), 1);
    EXPECT_EQ(transactions().size(), 4U);
}

} // namespace
