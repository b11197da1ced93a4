#include "TestDialog.h"

#include "framework/DialogLook.h"
#include "framework/DialogUnits.h"

#include <QDialog>
#include <QFontMetrics>

#include <gtest/gtest.h>

TEST(DialogUnits, ScaleByQuarterAndEighthOfTheBaseUnitsRoundingHalvesUp)
{
    const DialogUnits units(6, 12);
    // 7 * 6 / 4 = 10.5 and 63 * 12 / 8 = 94.5 round up, as the platform's MulDiv does.
    EXPECT_EQ(units.toPixels(DialogRect { 7, 63, 352, 42 }), QRect(11, 95, 528, 63));
    EXPECT_EQ(units.toPixels(575, 404), QSize(863, 606));
    EXPECT_EQ(DialogUnits(6, 13).toPixels(DialogRect { 1, 1, 3, 5 }), QRect(2, 2, 5, 8));
}

TEST(DialogUnits, DialogFontGivesSixByThirteenAndSizesTheWindow)
{
    const QFont font = dialogFont();
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    const DialogUnits units(font);
    EXPECT_EQ(units.baseX(), 6);
    EXPECT_EQ(units.baseY(), 13);

    TestDialog dialog;
    dialog.Create();
    EXPECT_EQ(dialog.window()->size(), units.toPixels(testDialogTemplate.cx, testDialogTemplate.cy));
    EXPECT_EQ(dialog.controlWidget(IDC_EDIT)->geometry(), units.toPixels(DialogRect { 130, 10, 60, 14 }));
}
