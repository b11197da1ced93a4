// Reading and writing any register through Reg Addr and Data.
#include "EvalDialogFixture.h"

#include <vector>

using ManualAccessTest = EvalDialogFixture;

TEST_F(ManualAccessTest, ReadAndWriteCutBothFieldsToEightBitsAndLeaveThePanel)
{
    open();
    load({ { 0x14, 0xab }, { 0x00, 0x05 } });
    struct Use {
        const char *address, *data;
        int button;
        RegisterAccess expected; // what goes over the bus
        const char* dataAfter;
    };
    const std::vector<Use> uses {
        { "14", "7", IDC_READ, readOf(0x14, 0xAB), "AB" },
        { "14", "ab", IDC_WRITE, writeOf(0x14, 0xAB), "ab" },
        { "114", "1FF", IDC_WRITE, writeOf(0x14, 0xFF), "1FF" },
        { "", "", IDC_READ, readOf(0x00, 0x05), "05" },
        { "", "", IDC_WRITE, writeOf(0x00, 0x00), "" },
        // A failed read keeps the typed value, reformatted.
        { "30", "1ab", IDC_READ, { Access::Read, 0x30, -1, false }, "AB" },
    };
    for (const Use& use : uses) {
        SCOPED_TRACE(testing::Message() << use.address << " " << use.data);
        typeOver(IDC_REG_ADDR, use.address);
        typeOver(IDC_DATA, use.data);
        if (!use.expected.ok)
            ptx::sim::failNextReads(1);
        ptx::sim::clearTransactions();
        dialog->SetDlgItemText(IDC_STATUS, "Status");
        click(use.button);
        EXPECT_EQ(accesses(), (std::vector { use.expected }));
        EXPECT_EQ(text(IDC_DATA), use.dataAfter);
        EXPECT_EQ(text(IDC_REG_ADDR), use.address);
        EXPECT_EQ(text(IDC_STATUS), "Status");
    }
    // A manual write leaves the cells as Readback All filled them.
    EXPECT_EQ(text(IDC_REG14), "AB");
    EXPECT_EQ(text(IDC_REG00), "05");
}
