#include "TestDialog.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class InitProbe : public TestDialog {
public:
    using TestDialog::TestDialog;
    bool shownAtInit = true;
    int listItemsAtInit = -1;

protected:
    bool OnInitDialog() override
    {
        shownAtInit = window()->isVisible();
        const bool result = CDialog::OnInitDialog();
        listItemsAtInit = list.GetCount();
        return result;
    }
};

// Runs `whileModal` once the modal loop runs, then presses Escape on the active modal window.
void whenModal(std::function<void(QDialog&)> whileModal)
{
    QTimer::singleShot(0, [whileModal = std::move(whileModal)] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(modal, nullptr);
        whileModal(*modal);
        QTest::keyClick(modal, Qt::Key_Escape);
    });
}

} // namespace

TEST(Modal, InitialisesBeforeShowingCentresAndFocusesTheFirstControl)
{
    InitProbe dialog;
    whenModal([&dialog](QDialog& modal) {
        EXPECT_EQ(&modal, dialog.window());
        EXPECT_TRUE(modal.isVisible());
        EXPECT_EQ(modal.focusWidget(), dialog.controlWidget(IDCANCEL));
        const QPoint screenCentre = QApplication::primaryScreen()->availableGeometry().center();
        EXPECT_LE((modal.frameGeometry().center() - screenCentre).manhattanLength(), 2);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_FALSE(dialog.shownAtInit);
    EXPECT_EQ(dialog.listItemsAtInit, 3);
}

TEST(Modal, AChildDialogOpensOverItsParentAndBlocksIt)
{
    TestDialog parent;
    parent.Create();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.window()));
    parent.window()->move(40, 30);
    QApplication::processEvents();
    parent.received.clear();

    TestDialog child(&parent);
    whenModal([&](QDialog& modal) {
        EXPECT_EQ(&modal, child.window());
        const QPoint parentCentre = parent.window()->frameGeometry().center();
        EXPECT_LE((modal.frameGeometry().center() - parentCentre).manhattanLength(), 2);
        userClick(*parent.button(IDC_GO));
        EXPECT_EQ(parent.count(BN_CLICKED, IDC_GO), 0u);
    });
    EXPECT_EQ(child.DoModal(), IDCANCEL);
    EXPECT_TRUE(parent.window()->isVisible());

    userClick(*parent.button(IDC_GO));
    EXPECT_EQ(parent.count(BN_CLICKED, IDC_GO), 1u);
}
