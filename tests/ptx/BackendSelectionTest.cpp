#include "ptx/ptx.h"
#include "ptx/sim/SimulatorControl.h"

#include <gtest/gtest.h>

namespace {

TEST(BackendSelection, NoneFindsNothingAndUnknownNamesKeepTheCurrentBackEnd)
{
    ptx::sim::reset();
    ASSERT_EQ(ptxSelectBackend("none"), 0);
    char serial[PTX_SERIAL_NUMBER_SIZE] {};
    unsigned char buffer[8] {};
    EXPECT_EQ(ptxFindControllers(), 0);
    EXPECT_LT(ptxGetSerialNumber(0, serial), 0);
    EXPECT_LT(ptxOpen(ptx::sim::kSerialNumber), 0);
    EXPECT_LT(ptxFirmwareVersion_Read(1, buffer, 5), 0);
    EXPECT_LT(ptxI2C_Control(1, 0, 0, 1), 0);
    EXPECT_LT(ptxGPIO_WriteControl(1, 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0), 0);
    EXPECT_LT(ptxPower_WriteControl(1, 1, 0), 0);
    EXPECT_LT(ptxI2C_RegisterRead(1, 0x2C, 0x00), 0);
    EXPECT_LT(ptxI2C_RegisterWrite(1, 0x2C, 0x00, 0x00), 0);
    EXPECT_TRUE(ptx::sim::transactions().empty()) << "calls reached the simulator";

    for (const char* name : { "sim", "", static_cast<const char*>(nullptr) }) {
        ASSERT_EQ(ptxSelectBackend("none"), 0);
        ASSERT_EQ(ptxSelectBackend(name), 0);
        EXPECT_EQ(ptxFindControllers(), 1) << (name ? name : "null");
    }

    EXPECT_LT(ptxSelectBackend("bogus"), 0);
    EXPECT_EQ(ptxFindControllers(), 1);
    EXPECT_EQ(ptx::sim::transactions().size(), 4U);
}

} // namespace
