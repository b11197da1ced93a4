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

class AdapterConnection : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset();
        adapterResetForTests();
    }
};

TEST_F(AdapterConnection, InitPacksTheFirmwareBytesAccessesPassTheDeviceLowByteKeepBytesOnFailureReleaseCloses)
{
    // A firmware minor above 15 carries into the major nibble.
    setFirmwareRecord({ 3, 0x12, 1, 0x11, 0 });
    unsigned char value = 0;
    EXPECT_EQ((std::vector<int> { adapterInit(value), value, firmwareVersionByte(value), value }),
        (std::vector<int> { 0, 0x42, true, 0x21 }));

    // A result above 0xFF gives its low byte; a failed read leaves the caller's byte as it was.
    setReadResultOverride(0x04, 0x1A5);
    failReadsOf(0x11);
    failWritesOf(0x15);
    const unsigned device = deviceAddress();
    EXPECT_EQ((std::vector<int> { readRegister(0x12C, 0x14, value), value, readRegister(device, 0x04, value), value,
                  readRegister(device, 0x11, value), value, writeRegister(device, 0x14, 0x2A), registerValue(0x14),
                  writeRegister(device, 0x15, 0xC1) }),
        (std::vector<int> { 0, 0x3F, 0, 0xA5, 1, 0xA5, true, 0x2A, false }));

    // Released, the adapter is closed and later accesses go out without its handle.
    clearTransactions();
    adapterRelease();
    EXPECT_EQ(readRegister(device, 0x14, value), 1);
    EXPECT_EQ(transactions(),
        (std::vector<Transaction> {
            { Call::Close, { kHandle }, {}, 0 }, { Call::RegisterRead, { 0, kDeviceAddress, 0x14 }, {}, -1 } }));
}

TEST_F(AdapterConnection, InitConfiguresInOrderFailuresGiveTheirCodeEveryConfigurationStepRunsAndTheLastFailureWins)
{
    using enum Call;
    const std::vector<Call> configured { FindControllers, GetSerialNumber, Open, FirmwareVersionRead, I2cControl,
        GpioWriteControl, PowerWriteControl };
    // Faults, code, the calls made, and the handle the connection keeps. The simulator refuses any other
    // configuration than the board's, so a wrong argument shows as a failure code too.
    const std::vector<std::tuple<std::set<Fault>, int, std::vector<Call>, int>> cases {
        { {}, 0, configured, kHandle },
        { { Fault::AdapterAbsent }, 2, { FindControllers, FirmwareVersionRead }, 0 },
        { { Fault::SerialNumber }, 2, { FindControllers, GetSerialNumber, FirmwareVersionRead }, 0 },
        { { Fault::FirmwareRead }, 2, { FindControllers, GetSerialNumber, Open, FirmwareVersionRead }, kHandle },
        { { Fault::I2cControl, Fault::GpioControl }, 4, configured, kHandle },
        { { Fault::I2cControl, Fault::GpioControl, Fault::PowerControl }, 5, configured, kHandle },
    };
    for (const auto& [faults, code, made, handle] : cases) {
        SCOPED_TRACE(testing::Message() << faults.size() << " faults, code " << code);
        SetUp();
        for (const Fault fault : faults)
            setFault(fault);
        unsigned char rfwByte = 0x77;
        EXPECT_EQ(adapterInit(rfwByte), code);
        std::vector<Call> calls;
        std::ranges::transform(transactions(), std::back_inserter(calls), &Transaction::call);
        EXPECT_EQ(calls, made);
        EXPECT_EQ(rfwByte, code == 2 ? 0x77 : 0x25) << "the firmware byte is kept when its read fails";
        readRegister(deviceAddress(), 0x14, rfwByte);
        EXPECT_EQ(registerAccesses().back().handle, handle);
    }
}

} // namespace
