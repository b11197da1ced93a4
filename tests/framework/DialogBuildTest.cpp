// The template built into widgets: placement in dialog units, texts, images and lists.
#include "TestDialog.h"

#include "framework/DialogUnits.h"

#include <QAbstractItemView>
#include <QGroupBox>
#include <QLabel>

TEST_F(ShownDialog, ControlsArePlacedByTheFontsBaseUnitsImagesKeepTheirSizeAndTextsTheirBlanks)
{
    QDialog* window = dialog.window();
    EXPECT_EQ(QFontInfo(window->font()).family(), QStringLiteral("Liberation Sans"));
    const DialogUnits units(window->font());
    EXPECT_EQ(std::pair(units.baseX(), units.baseY()), std::pair(6, 13));
    // x and width times 6 / 4, y and height times 13 / 8, halves rounded up as the platform's MulDiv does.
    EXPECT_EQ(window->size(), QSize(300, 195));
    EXPECT_EQ(dialog.controlWidget(IDC_EARLY)->geometry(), QRect(23, 68, 90, 16));
    EXPECT_EQ(dialog.controlWidget(IDC_READ_ONLY)->geometry(), QRect(135, 133, 60, 20));
    QComboBox* list = dialog.get<QComboBox>(IDC_LIST);
    EXPECT_EQ(list->height(), list->sizeHint().height()) << "closed, not the template's dropped-down height";
    // The group box's frame lies below the check box created before it, so it never paints over it.
    EXPECT_LT(window->children().indexOf(window->findChild<QGroupBox*>()),
        window->children().indexOf(dialog.controlWidget(IDC_EARLY)));

    // Images keep their own size at the template's corner; icons show at 32 pixels.
    std::vector<QRect> images;
    for (const QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->pixmap().isNull())
            images.push_back(label->geometry());
    }
    EXPECT_EQ(images, (std::vector { QRect(225, 133, 30, 20), QRect(255, 156, 32, 32) }));
    dialog.SetIcon(testIconId, true);
    EXPECT_EQ(window->windowIcon().pixmap(32).toImage().pixelColor(0, 0), QColor(Qt::blue));

    EXPECT_EQ(dialog.controlWidget(IDC_GO)->accessibleName(), QStringLiteral("Go button"));
    EXPECT_TRUE(dialog.get<QLineEdit>(IDC_READ_ONLY)->isReadOnly());
    EXPECT_EQ(dialog.get<QLabel>(IDC_HEADER)->text(), QStringLiteral("Addr   00     01")) << "blanks kept";
}

TEST_F(ShownDialog, DropDownListsStartFilledWithNothingChosenAndSelectByIndex)
{
    EXPECT_EQ(std::tuple(dialog.list.GetCount(), dialog.list.GetCurSel(), dialog.list.GetWindowText()),
        std::tuple(3, CB_ERR, ""));
    EXPECT_EQ(dialog.list.SetCurSel(2), 2);
    EXPECT_EQ(dialog.list.GetWindowText(), "Gamma");
    for (int outside : { 4, CB_ERR }) {
        dialog.list.SetCurSel(1);
        EXPECT_EQ(dialog.list.SetCurSel(outside), CB_ERR);
        EXPECT_EQ(std::pair(dialog.list.GetCurSel(), dialog.list.GetWindowText()), std::pair(CB_ERR, std::string()));
    }

    // The sorted list shows every item without a scroll bar and puts a new one in its case-blind place.
    QComboBox* sorted = dialog.get<QComboBox>(IDC_SORTED_LIST);
    EXPECT_GE(sorted->maxVisibleItems(), 3);
    EXPECT_EQ(sorted->view()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(dialog.sortedList.AddString("Auto"), 0);
    EXPECT_EQ(dialog.sortedList.AddString("c"), 3);
    EXPECT_EQ(dialog.sortedList.GetCurSel(), CB_ERR);
}
