#include "adapter/AdapterConnection.h"
#include "adapter/AdapterConnectionTesting.h"

#include "ptx/sim/SimulatorControl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <tuple>
#include <vector>

using namespace ptx::sim;

namespace {

void startOver()
{
    reset();
    adapterResetForTests();
}

TEST(AdapterConnection, InitFindsOpensReadsFirmwareAndConfiguresInOrder)
{
    // A firmware minor above 15 carries into the major nibble.
    for (const auto& [record, rfw, ffw] : std::vector<std::tuple<FirmwareRecord, int, int>> {
             { kFirmwareRecord, 0x25, 0x13 }, { { 3, 0x12, 1, 0x11, 0 }, 0x42, 0x21 } }) {
        startOver();
        setFirmwareRecord(record);
        unsigned char rfwByte = 0;
        unsigned char ffwByte = 0;
        ASSERT_EQ(adapterInit(rfwByte), 0);
        const std::vector<Transaction> expected {
            { Call::FindControllers, {}, {}, 1 },
            { Call::GetSerialNumber, { 0 }, kSerialNumber, 0 },
            { Call::Open, {}, kSerialNumber, kHandle },
            { Call::FirmwareVersionRead, { kHandle, 5 }, {}, 5 },
            { Call::I2cControl, { kHandle, 0, 0, 1 }, {}, 0 },
            { Call::GpioWriteControl, { kHandle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0 }, {}, 0 },
            { Call::PowerWriteControl, { kHandle, 1, 0 }, {}, 0 },
        };
        EXPECT_EQ(transactions(), expected);
        EXPECT_TRUE(firmwareVersionByte(ffwByte));
        EXPECT_EQ(rfwByte, rfw);
        EXPECT_EQ(ffwByte, ffw);
    }
}

TEST(AdapterConnection, FailuresGiveTheirCodeEveryConfigurationStepRunsAndTheLastFailureWins)
{
    using enum Call;
    const std::vector<Call> configured { FindControllers, GetSerialNumber, Open, FirmwareVersionRead, I2cControl,
        GpioWriteControl, PowerWriteControl };
    // Faults, code, the calls made, and the handle the connection keeps.
    const std::vector<std::tuple<std::set<Fault>, int, std::vector<Call>, int>> cases {
        { { Fault::AdapterAbsent }, 2, { FindControllers, FirmwareVersionRead }, 0 },
        { { Fault::SerialNumber }, 2, { FindControllers, GetSerialNumber, FirmwareVersionRead }, 0 },
        { { Fault::FirmwareRead }, 2, { FindControllers, GetSerialNumber, Open, FirmwareVersionRead }, kHandle },
        { { Fault::I2cControl }, 3, configured, kHandle },
        { { Fault::GpioControl }, 4, configured, kHandle },
        { { Fault::PowerControl }, 5, configured, kHandle },
        { { Fault::I2cControl, Fault::GpioControl }, 4, configured, kHandle },
        { { Fault::I2cControl, Fault::PowerControl }, 5, configured, kHandle },
        { { Fault::I2cControl, Fault::GpioControl, Fault::PowerControl }, 5, configured, kHandle },
    };
    for (const auto& [faults, code, made, handle] : cases) {
        SCOPED_TRACE(testing::Message() << faults.size() << " faults, code " << code);
        startOver();
        for (const Fault fault : faults)
            setFault(fault);
        unsigned char rfwByte = 0x77;
        EXPECT_EQ(adapterInit(rfwByte), code);
        std::vector<Call> calls;
        std::ranges::transform(transactions(), std::back_inserter(calls), &Transaction::call);
        EXPECT_EQ(calls, made);
        EXPECT_EQ(rfwByte, code == 2 ? 0x77 : 0x25) << "the firmware byte is kept when its read fails";
        unsigned char value = 0;
        readRegister(deviceAddress(), 0x14, value);
        EXPECT_EQ(registerAccesses().back().handle, handle);
    }
}

TEST(AdapterConnection, RegisterAccessPassesTheDeviceLowByteKeepsBytesOnFailureAndEndsWithRelease)
{
    startOver();
    EXPECT_EQ(deviceAddress(), 0x2CU);
    unsigned char value = 0;
    ASSERT_EQ(adapterInit(value), 0);

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
    EXPECT_EQ(registerAccesses(),
        (std::vector<RegisterAccess> { { Access::Read, 0x14, 0x3F }, { Access::Read, 0x04, 0x1A5 },
            { Access::Read, 0x11, -1, false }, { Access::Write, 0x14, 0x2A }, { Access::Write, 0x15, 0xC1, false } }));

    // Released, the adapter is closed and later accesses go out without its handle.
    clearTransactions();
    adapterRelease();
    EXPECT_EQ(readRegister(deviceAddress(), 0x14, value), 1);
    EXPECT_EQ(transactions(),
        (std::vector<Transaction> {
            { Call::Close, { kHandle }, {}, 0 }, { Call::RegisterRead, { 0, kDeviceAddress, 0x14 }, {}, -1 } }));
}

} // namespace
