// Reading and writing any register through Reg Addr and Data.
#include "EvalDialogFixture.h"

#include <vector>

namespace {

class ManualAccessTest : public EvalDialogFixture { };

TEST_F(ManualAccessTest, ReadShowsTheRegisterAsTwoUpperCaseDigits)
{
    open();
    load({ { 0x14, 0xab } });
    typeOver(IDC_REG_ADDR, "14");
    typeOver(IDC_DATA, "7");
    click(IDC_READ);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x14, 0xAB) }));
    EXPECT_EQ(text(IDC_DATA), "AB");
    EXPECT_EQ(text(IDC_REG_ADDR), "14");
}

TEST_F(ManualAccessTest, WriteCutsBothFieldsToEightBitsAndLeavesThePanel)
{
    open();
    load({});
    typeOver(IDC_REG_ADDR, "114");
    typeOver(IDC_DATA, "1FF");
    click(IDC_WRITE);
    EXPECT_EQ(accesses(), (std::vector { writeOf(0x14, 0xFF) }));
    EXPECT_EQ(text(IDC_DATA), "1FF");
    EXPECT_EQ(text(IDC_REG14), "3F");
    EXPECT_TRUE(ticked(IDC_LED1));

    ptx::sim::clearTransactions();
    typeOver(IDC_DATA, "ab");
    click(IDC_WRITE);
    EXPECT_EQ(accesses(), (std::vector { writeOf(0x14, 0xAB) }));
    EXPECT_EQ(text(IDC_DATA), "ab");
}

TEST_F(ManualAccessTest, EmptyFieldsAddressRegister00)
{
    open();
    load({ { 0x00, 0x05 } });
    click(IDC_READ);
    EXPECT_EQ(accesses(), (std::vector { readOf(0x00, 0x05) }));
    EXPECT_EQ(text(IDC_DATA), "05");

    ptx::sim::clearTransactions();
    typeOver(IDC_DATA, "");
    QTest::keyClick(control<QLineEdit>(IDC_DATA), Qt::Key_Backspace);
    ASSERT_EQ(text(IDC_DATA), "");
    click(IDC_WRITE);
    EXPECT_EQ(accesses(), (std::vector { writeOf(0x00, 0x00) }));
}

TEST_F(ManualAccessTest, FailedReadKeepsTheTypedValueReformatted)
{
    open();
    load({});
    ptx::sim::failReadsOf(0x14);
    typeOver(IDC_REG_ADDR, "14");
    typeOver(IDC_DATA, "1ab");
    click(IDC_READ);
    EXPECT_TRUE(writes().empty());
    EXPECT_EQ(text(IDC_DATA), "AB");
}

} // namespace
