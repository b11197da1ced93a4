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

    static int openAdapter()
    {
        char serial[PTX_SERIAL_NUMBER_SIZE] {};
        EXPECT_EQ(ptxGetSerialNumber(0, serial), 0);
        return ptxOpen(serial);
    }
};

TEST_F(SimulatorTest, AdapterIsFoundOpenedOnlyByItsSerialAndReportsItsFirmware)
{
    EXPECT_EQ(ptxFindControllers(), 1);
    EXPECT_LT(ptxFirmwareVersion_Read(kHandle, nullptr, 0), 0) << "nothing answers before the adapter is open";
    EXPECT_LT(ptxOpen("SIM-3124-0002"), 0);
    EXPECT_LT(ptxI2C_RegisterRead(kHandle, kDeviceAddress, 0x14), 0);
    const int handle = openAdapter();
    EXPECT_EQ(handle, kHandle);

    std::array<unsigned char, 8> buffer;
    buffer.fill(0xEE);
    EXPECT_EQ(ptxFirmwareVersion_Read(handle, buffer.data(), 5), 5);
    EXPECT_EQ(buffer, (std::array<unsigned char, 8> { 2, 5, 1, 3, 1, 0xEE, 0xEE, 0xEE }));
    buffer.fill(0xEE);
    EXPECT_EQ(ptxFirmwareVersion_Read(handle, buffer.data(), 2), 2);
    EXPECT_EQ(buffer[1], 5);
    EXPECT_EQ(buffer[2], 0xEE) << "wrote past the length asked";
    EXPECT_LT(ptxFirmwareVersion_Read(handle + 1, buffer.data(), 5), 0);

    EXPECT_EQ(ptxI2C_Control(handle, 0, 0, 1), 0);
    EXPECT_EQ(ptxGPIO_WriteControl(handle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(ptxPower_WriteControl(handle, 1, 0), 0);
    EXPECT_LT(ptxI2C_Control(handle, 0, 1, 1), 0);
    EXPECT_LT(ptxGPIO_WriteControl(handle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 1), 0);
    EXPECT_LT(ptxPower_WriteControl(handle, 1, 1), 0);
    EXPECT_LT(ptxPower_WriteControl(0, 1, 0), 0);
}

TEST_F(SimulatorTest, ChipHoldsRegistersWithReadOnlyStatusAndResetBit)
{
    const int handle = openAdapter();
    for (const auto& [reg, value] : std::array<std::pair<int, int>, 5> {
             { { 0x00, 0x01 }, { 0x11, 0x04 }, { 0x13, 0x01 }, { 0x14, 0x3F }, { 0x20, 0x00 } } })
        EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, reg), value) << "register " << reg;

    EXPECT_EQ(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x14, 0x15), 0);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x14), 0x15);

    EXPECT_EQ(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x01, 0xFF), 0);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x01), 0x00);
    setStatusBits(0xC5);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x01), 0xC5);

    EXPECT_LT(ptxI2C_RegisterWrite(handle, 0x2D, 0x14, 0x00), 0);
    EXPECT_LT(ptxI2C_RegisterRead(handle, 0x2D, 0x14), 0);
    EXPECT_LT(ptxI2C_RegisterWrite(handle + 1, kDeviceAddress, 0x14, 0x00), 0);
    EXPECT_LT(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x100, 0x00), 0);
    EXPECT_LT(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x14, 0x100), 0);
    EXPECT_EQ(registerValue(0x14), 0x15) << "a refused write changed the chip";

    EXPECT_EQ(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x00, 0x86), 0);
    for (int reg = 0; reg <= 0xFF; ++reg)
        ASSERT_EQ(registerValue(reg), powerOnValue(reg)) << "register " << reg;
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x00), 0x01);
}

TEST_F(SimulatorTest, LogRecordsEveryCallInOrderWithArgumentsAndResults)
{
    const int handle = openAdapter();
    ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x03, 0xA0);
    ptxI2C_RegisterRead(handle, 0x2D, 0x03);
    ptxGPIO_WriteControl(handle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0);
    ptxI2C_RegisterRead(handle, kDeviceAddress, 0x03);

    const std::vector<Transaction> expected {
        { Call::GetSerialNumber, { 0 }, kSerialNumber, 0 },
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
    EXPECT_EQ(registerAccesses(Access::Write), (std::vector<RegisterAccess> { { Access::Write, 0x03, 0xA0 } }));
    EXPECT_EQ(registerAccesses().size(), 3U);

    clearTransactions();
    EXPECT_TRUE(transactions().empty());
}

TEST_F(SimulatorTest, AdapterFaultsFailTheirCalls)
{
    setFault(Fault::AdapterAbsent);
    char serial[PTX_SERIAL_NUMBER_SIZE] {};
    EXPECT_EQ(ptxFindControllers(), 0);
    EXPECT_LT(ptxGetSerialNumber(0, serial), 0);
    EXPECT_LT(ptxOpen(kSerialNumber), 0);
    setFault(Fault::AdapterAbsent, false);

    setFault(Fault::SerialNumber);
    EXPECT_EQ(ptxFindControllers(), 1);
    EXPECT_LT(ptxGetSerialNumber(0, serial), 0);
    EXPECT_EQ(std::string(serial), "");
    const int handle = ptxOpen(kSerialNumber);
    ASSERT_EQ(handle, kHandle);

    unsigned char buffer[8] {};
    setFault(Fault::FirmwareRead);
    EXPECT_LT(ptxFirmwareVersion_Read(handle, buffer, 5), 0);
    setFault(Fault::I2cControl);
    setFault(Fault::PowerControl);
    EXPECT_LT(ptxI2C_Control(handle, 0, 0, 1), 0);
    EXPECT_EQ(ptxGPIO_WriteControl(handle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0), 0);
    EXPECT_LT(ptxPower_WriteControl(handle, 1, 0), 0);
    setFault(Fault::GpioControl);
    EXPECT_LT(ptxGPIO_WriteControl(handle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0), 0);

    unplug();
    EXPECT_LT(ptxFindControllers(), 0);
    EXPECT_LT(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x00), 0);
    replug();
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x00), 0x01) << "the open handle survives a re-plug";

    reset();
    EXPECT_TRUE(transactions().empty());
    EXPECT_EQ(ptxGetSerialNumber(0, serial), 0);
    EXPECT_LT(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x00), 0) << "reset closes the adapter";
}

TEST_F(SimulatorTest, RegisterFaultsFailTheirReadsAndWrites)
{
    const int handle = openAdapter();
    failNextReads(2);
    EXPECT_LT(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x14), 0);
    EXPECT_LT(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x11), 0);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x14), 0x3F);

    failNextWrites(1);
    EXPECT_LT(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x14, 0x01), 0);
    EXPECT_EQ(registerValue(0x14), 0x3F);
    EXPECT_EQ(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x14, 0x01), 0);
    EXPECT_EQ(registerValue(0x14), 0x01);

    failReadsOf(0x12);
    failWritesOf(0x13);
    EXPECT_LT(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x12), 0);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x13), 0x01);
    EXPECT_EQ(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x12, 0x07), 0);
    EXPECT_LT(ptxI2C_RegisterWrite(handle, kDeviceAddress, 0x13, 0x00), 0);
    EXPECT_EQ(registerValue(0x12), 0x07);
    EXPECT_EQ(registerValue(0x13), 0x01);

    setReadResultOverride(0x04, 0x1A5);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x04), 0x1A5);
    reset();
    ASSERT_EQ(openAdapter(), kHandle);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x04), 0x00);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kDeviceAddress, 0x12), 0x02);
}

} // namespace
