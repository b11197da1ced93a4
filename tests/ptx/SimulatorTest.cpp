// The simulated board: what it answers and refuses, its log, and the faults the adapter tests leave out.
#include "ptx/ptx.h"
#include "ptx/sim/SimulatorControl.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace ptx::sim;

namespace {

const auto read = [](int reg) { return ptxI2C_RegisterRead(kHandle, kDeviceAddress, reg); };
const auto write = [](int reg, int value) { return ptxI2C_RegisterWrite(kHandle, kDeviceAddress, reg, value); };

// Every register of the chip as it powers on, read over the bus.
void expectPowerOnValues()
{
    std::vector<int> expected(256), found;
    for (const auto& [reg, value] : { std::pair { 0x00, 0x01 }, { 0x02, 0xA1 }, { 0x10, 0x01 }, { 0x11, 0x04 },
             { 0x12, 0x02 }, { 0x13, 0x01 }, { 0x14, 0x3F } })
        expected[reg] = value;
    for (int reg = 0; reg <= 0xFF; ++reg)
        found.push_back(read(reg));
    EXPECT_EQ(found, expected);
}

class SimulatorTest : public ::testing::Test {
    void SetUp() override { reset(); }
};

TEST_F(SimulatorTest, RefusesWhatTheBoardIsNotWiredForAndHoldsTheChipsRegisters)
{
    // Nothing before the adapter is open, which only its serial number does; then only the program's
    // configuration, only the open handle, only device 0x2C, only values that fit.
    EXPECT_EQ(
        (std::vector { read(0x14), ptxOpen("SIM-3124-0002"), ptxOpen(kSerialNumber), ptxI2C_Control(kHandle, 0, 1, 1),
            ptxGPIO_WriteControl(kHandle, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 1), ptxPower_WriteControl(kHandle, 1, 1),
            ptxPower_WriteControl(0, 1, 0), ptxI2C_RegisterRead(kHandle, 0x2D, 0x14),
            ptxI2C_RegisterWrite(kHandle, 0x2D, 0x14, 0), ptxI2C_RegisterWrite(kHandle + 1, kDeviceAddress, 0x14, 0),
            write(0x100, 0x00), write(0x14, 0x100) }),
        (std::vector { -1, -1, kHandle, -1, -1, -1, -1, -1, -1, -1, -1, -1 }));
    std::array<unsigned char, 4> buffer { 0xEE, 0xEE, 0xEE, 0xEE };
    EXPECT_EQ(ptxFirmwareVersion_Read(kHandle, buffer.data(), 2), 2);
    EXPECT_EQ(buffer, (std::array<unsigned char, 4> { 2, 5, 0xEE, 0xEE })) << "wrote past the length asked";

    expectPowerOnValues(); // nothing refused changed the chip
}

TEST_F(SimulatorTest, LogKeepsTheLatestCallsUnpluggedAllFailsResetCloses)
{
    for (int i = 0; i <= 1 << 16; ++i)
        write(0x03, i & 0xFF);
    ASSERT_EQ(transactions().size(), std::size_t { 1 << 16 });
    EXPECT_EQ(transactions().front().arguments.back(), 1);

    ASSERT_EQ(ptxOpen(kSerialNumber), kHandle);
    unplug();
    EXPECT_EQ((std::vector { ptxFindControllers(), read(0x00), write(0x14, 0x01) }), (std::vector { -1, -1, -1 }));
    reset();
    EXPECT_EQ((std::vector {
                  read(0x14), ptxOpen(kSerialNumber), read(0x14), ptxClose(kHandle), read(0x14), ptxClose(kHandle) }),
        (std::vector { -1, kHandle, 0x3F, 0, -1, -1 }))
        << "reset closes the adapter and powers the chip on";
}

TEST_F(SimulatorTest, NoneFindsNothingSimIsTheDefaultAndUnknownNamesKeepTheBackEndInPlace)
{
    for (const auto& [name, selected, found] : { std::tuple { "sim", 0, 1 }, { "", 0, 1 }, { "bogus", -1, 0 } }) {
        ASSERT_EQ(ptxSelectBackend("none"), 0);
        EXPECT_EQ(ptxSelectBackend(name), selected);
        EXPECT_EQ(ptxFindControllers(), found) << name;
    }
    ASSERT_EQ(ptxSelectBackend(nullptr), 0);
    EXPECT_EQ((std::vector { ptxOpen(kSerialNumber), read(0x00), ptxClose(kHandle) }), (std::vector { kHandle, 1, 0 }));
}

// What ptxLastFailure gives, cut to 15 bytes, and its result.
std::pair<std::string, int> lastFailure()
{
    std::array<char, 16> text {};
    const int length = ptxLastFailure(text.data(), static_cast<int>(text.size()));
    return { text.data(), length };
}

TEST_F(SimulatorTest, LastFailureIsTheReasonSinceTheLastSuccessGivenOnce)
{
    const std::pair<std::function<void()>, std::pair<std::string, int>> cases[] = {
        { [] { ptxOpen(kSerialNumber), read(0x14); }, { "", 0 } },
        { [] { ptxOpen("x"); }, { "the adapter can", 28 } }, // cut to the buffer, the whole length told
        { [] { ptxOpen(kSerialNumber), failReadsOf(0x14), read(0x14); }, { "no answer on th", 20 } },
        // The first reason since the last success stays (the write's, not the close's); a success forgets it.
        { [] { ptxOpen(kSerialNumber), failWritesOf(0x13), write(0x13, 1), ptxClose(7); }, { "no answer on th", 20 } },
        { [] { ptxOpen(kSerialNumber), failNextReads(1), read(0x14), read(0x14); }, { "", 0 } },
        { [] { ptxSelectBackend("none"), ptxFindControllers(); }, { "no adapter foun", 16 } },
    };
    for (const auto& [calls, expected] : cases) {
        reset();
        lastFailure();
        calls();
        EXPECT_EQ(lastFailure(), expected);
        EXPECT_EQ(lastFailure(), std::pair(std::string(), 0)); // given once
    }
    ptxSelectBackend("sim");
    char text[4];
    EXPECT_EQ((std::vector { ptxLastFailure(nullptr, 4), ptxLastFailure(text, 0) }), (std::vector { -1, -1 }));
}

} // namespace
