// Reading and writing any register through Reg Addr and Data.
#include "EvalDialogFixture.h"

#include <tuple>
#include <vector>

namespace {

class ManualAccessTest : public EvalDialogFixture { };

TEST_F(ManualAccessTest, ReadAndWriteCutBothFieldsToEightBitsAndLeaveThePanel)
{
    open();
    load({ { 0x14, 0xab }, { 0x00, 0x05 } });
    // Reg Addr, Data, the button, what goes over the bus, and Data afterwards.
    const std::vector<std::tuple<const char*, const char*, int, RegisterAccess, const char*>> uses {
        { "14", "7", IDC_READ, readOf(0x14, 0xAB), "AB" },
        { "14", "ab", IDC_WRITE, writeOf(0x14, 0xAB), "ab" },
        { "114", "1FF", IDC_WRITE, writeOf(0x14, 0xFF), "1FF" },
        { "", "", IDC_READ, readOf(0x00, 0x05), "05" },
        { "", "", IDC_WRITE, writeOf(0x00, 0x00), "" },
    };
    for (const auto& [address, data, button, expected, dataAfter] : uses) {
        SCOPED_TRACE(testing::Message() << address << " " << data);
        typeOver(IDC_REG_ADDR, address);
        typeOver(IDC_DATA, data);
        ptx::sim::clearTransactions();
        click(button);
        EXPECT_EQ(accesses(), (std::vector { expected }));
        EXPECT_EQ(text(IDC_DATA), dataAfter);
        EXPECT_EQ(text(IDC_REG_ADDR), address);
    }
    // A manual write leaves the cells as Readback All filled them.
    EXPECT_EQ(text(IDC_REG14), "AB");
    EXPECT_EQ(text(IDC_REG00), "05");
}

TEST_F(ManualAccessTest, FailedReadKeepsTheTypedValueReformatted)
{
    open();
    load({});
    ptx::sim::failReadsOf(0x14);
    typeOver(IDC_REG_ADDR, "14");
    typeOver(IDC_DATA, "1ab");
    click(IDC_READ);
    EXPECT_EQ(text(IDC_DATA), "AB");
}

} // namespace
