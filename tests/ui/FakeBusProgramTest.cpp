// The whole window on a Linux I2C bus (a fake kernel): start-up, Readback All and each family of
// operations reach the chip.
#include "EvalDialogFixture.h"

#include "FakeKernelBus.h"
#include "ptx/Backend.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <QSlider>

using ptx::i2cdev::FakeKernelBus;

namespace {

class FakeBusProgramTest : public EvalDialogFixture {
protected:
    void SetUp() override
    {
        EvalDialogFixture::SetUp();
        kernel = std::make_shared<FakeKernelBus>();
        chip = &kernel->plug(5, { .name = "MCP2221 usb-i2c bridge", .functions = FakeKernelBus::kSmbusOnly });
        chip->registers[0x10] = 0x09;
        chip->registers[0x11] = 0x85;
        chip->registers[0x14] = 0x3F;
        ptx::installBackend(ptx::i2cdev::createBackend("i2c:MCP2221", kernel));
    }
    void TearDown() override
    {
        EvalDialogFixture::TearDown();
        ptxSelectBackend("sim");
    }

    std::shared_ptr<FakeKernelBus> kernel;
    FakeKernelBus::Adapter* chip = nullptr;
};

TEST_F(FakeBusProgramTest, StartsReadsBackAndDrivesTheChip)
{
    open();
    EXPECT_EQ(text(IDC_STATUS), "Ready4");
    EXPECT_EQ(text(IDC_VERSION), "Version: USB RFW:1.0; FFW:1.0");
    EXPECT_EQ(text(IDC_REG11), "85");
    EXPECT_TRUE(ticked(IDC_ISET_EXTERNAL));
    EXPECT_EQ(chip->registers[0x10], 0x01) << "Readback All's fix-up reached the chip";
    EXPECT_EQ(text(IDC_REG10), "01");

    click(IDC_LED3);
    EXPECT_EQ(chip->registers[0x14], 0x3B);

    choose(IDC_STEP_LIST, 2);
    EXPECT_EQ(chip->registers[0x15] & 0x03, 0x02);

    auto* slider = control<QSlider>(IDC_BRIGHTNESS_SLIDER);
    slider->setFocus();
    QTest::keyClick(slider, Qt::Key_End);
    settle();
    EXPECT_EQ(chip->registers[0x03], 0xF0);
    EXPECT_EQ(chip->registers[0x04], 0xFF);

    typeOver(IDC_REG_ADDR, "20");
    typeOver(IDC_DATA, "5A");
    click(IDC_WRITE);
    EXPECT_EQ(chip->registers[0x20], 0x5A);

    EXPECT_EQ(kernel->callsWith("FORCE"), 0);
}

} // namespace
