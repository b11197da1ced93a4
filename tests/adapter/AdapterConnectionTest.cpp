#include "adapter/AdapterConnection.h"
#include "adapter/AdapterConnectionTesting.h"

#include "ptx/sim/SimulatorControl.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace ptx::sim;

namespace {

Transaction firmwareRead(int handle, int result)
{
    return { Call::FirmwareVersionRead, { handle, 5 }, {}, result };
}

class AdapterConnectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset();
        adapterResetForTests();
    }

    std::vector<Call> calls() const
    {
        std::vector<Call> made;
        for (const Transaction& transaction : transactions())
            made.push_back(transaction.call);
        return made;
    }

    unsigned char rfwByte = 0x77;
};

TEST_F(AdapterConnectionTest, InitFindsOpensReadsFirmwareAndConfiguresInOrder)
{
    ASSERT_EQ(adapterInit(rfwByte), 0);
    const std::vector<Transaction> expected {
        { Call::FindControllers, {}, {}, 1 },
        { Call::GetSerialNumber, { 0 }, kSerialNumber, 0 },
        { Call::Open, {}, kSerialNumber, kHandle },
        firmwareRead(kHandle, 5),
        { Call::I2cControl, { kHandle, 0, 0, 1 }, {}, 0 },
        { Call::GpioWriteControl, { kHandle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0 }, {}, 0 },
        { Call::PowerWriteControl, { kHandle, 1, 0 }, {}, 0 },
    };
    EXPECT_EQ(transactions(), expected);
    EXPECT_EQ(rfwByte, 0x25);
    unsigned char ffwByte = 0;
    EXPECT_TRUE(firmwareVersionByte(ffwByte));
    EXPECT_EQ(ffwByte, 0x13);
}

TEST_F(AdapterConnectionTest, MissingAdapterOrSerialLeavesHandleZeroAndStopsAtFirmwareRead)
{
    setFault(Fault::AdapterAbsent);
    EXPECT_EQ(adapterInit(rfwByte), 2);
    EXPECT_EQ(transactions(), (std::vector<Transaction> { { Call::FindControllers, {}, {}, 0 }, firmwareRead(0, -1) }));
    EXPECT_EQ(rfwByte, 0x77);

    reset();
    setFault(Fault::SerialNumber);
    EXPECT_EQ(adapterInit(rfwByte), 2);
    EXPECT_EQ(calls(), (std::vector<Call> { Call::FindControllers, Call::GetSerialNumber, Call::FirmwareVersionRead }));
    EXPECT_EQ(transactions().back(), firmwareRead(0, -1));

    unsigned char value = 0x5A;
    EXPECT_EQ(readRegister(deviceAddress(), 0x14, value), 1);
    EXPECT_EQ(registerAccesses(), (std::vector<RegisterAccess> { { Access::Read, 0x14, -1, false, 0 } }));
}

TEST_F(AdapterConnectionTest, EveryConfigurationStepRunsAndTheLastFailureWins)
{
    using Case = std::pair<std::set<Fault>, int>;
    for (const auto& [faults, code] :
        std::vector<Case> { { { Fault::I2cControl }, 3 }, { { Fault::GpioControl }, 4 }, { { Fault::PowerControl }, 5 },
            { { Fault::I2cControl, Fault::GpioControl }, 4 }, { { Fault::I2cControl, Fault::PowerControl }, 5 },
            { { Fault::I2cControl, Fault::GpioControl, Fault::PowerControl }, 5 } }) {
        reset();
        adapterResetForTests();
        for (const Fault fault : faults)
            setFault(fault);
        EXPECT_EQ(adapterInit(rfwByte), code) << "failing steps: " << faults.size() << ", expected " << code;
        EXPECT_EQ(transactions().size(), 7U);
    }
}

TEST_F(AdapterConnectionTest, FirmwareMinorAboveFifteenCarriesIntoTheMajorNibble)
{
    setFirmwareRecord({ 3, 0x12, 1, 0x11, 0 });
    ASSERT_EQ(adapterInit(rfwByte), 0);
    unsigned char ffwByte = 0;
    EXPECT_TRUE(firmwareVersionByte(ffwByte));
    EXPECT_EQ(rfwByte, 0x42);
    EXPECT_EQ(ffwByte, 0x21);
}

TEST_F(AdapterConnectionTest, RegisterAccessPassesTheDeviceLowByteAndKeepsBytesOnFailure)
{
    EXPECT_EQ(deviceAddress(), 0x2CU);
    ASSERT_EQ(adapterInit(rfwByte), 0);
    clearTransactions();

    unsigned char value = 0;
    EXPECT_EQ(readRegister(0x12C, 0x14, value), 0);
    EXPECT_EQ(value, 0x3F);
    setReadResultOverride(0x04, 0x1A5);
    EXPECT_EQ(readRegister(deviceAddress(), 0x04, value), 0);
    EXPECT_EQ(value, 0xA5);
    failReadsOf(0x11);
    EXPECT_EQ(readRegister(deviceAddress(), 0x11, value), 1);
    EXPECT_EQ(value, 0xA5);

    EXPECT_TRUE(writeRegister(deviceAddress(), 0x14, 0x2A));
    failWritesOf(0x15);
    EXPECT_FALSE(writeRegister(deviceAddress(), 0x15, 0xC1));
    EXPECT_EQ(registerValue(0x14), 0x2A);
    EXPECT_EQ(registerValue(0x15), 0x00);

    EXPECT_EQ(registerAccesses(),
        (std::vector<RegisterAccess> { { Access::Read, 0x14, 0x3F }, { Access::Read, 0x04, 0x1A5 },
            { Access::Read, 0x11, -1, false }, { Access::Write, 0x14, 0x2A }, { Access::Write, 0x15, 0xC1, false } }));
}

} // namespace
