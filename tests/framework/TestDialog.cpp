#include "TestDialog.h"

#include "framework/CDataExchange.h"
#include "framework/EventTable.h"
#include "framework/ResourceImages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <algorithm>
#include <array>

namespace {

constexpr std::array<std::string_view, 3> listItems { "Alpha", "Beta", "Gamma" };
constexpr std::array<std::string_view, 3> sortedItems { "BOOST COMP 0", "BOOST COMP 1", "External COMP set" };

constexpr std::array<ControlTemplate, 14> controls { {
    { IDCANCEL, ControlKind::PushButton, "Exit", { 10, 10, 50, 14 } },
    { IDC_GO, ControlKind::PushButton, "Go", { 70, 10, 50, 14 }, StyleNone, 0, {}, "Go button" },
    { IDC_EARLY, ControlKind::CheckBox, "Early", { 15, 42, 60, 10 } },
    { IDC_STATIC, ControlKind::GroupBox, "Group", { 5, 30, 120, 40 } },
    { IDC_LATE, ControlKind::CheckBox, "Late", { 15, 55, 60, 10 } },
    { IDC_EDIT, ControlKind::Edit, "", { 130, 10, 60, 14 } },
    { IDC_READ_ONLY, ControlKind::ReadOnlyEdit, "", { 130, 28, 60, 12 } },
    { IDC_LIST, ControlKind::DropDownList, "", { 130, 44, 60, 50 }, StyleNone, 0, listItems },
    { IDC_SORTED_LIST, ControlKind::DropDownList, "", { 130, 62, 65, 60 }, StyleSorted | StyleNoScrollBar, 0,
        sortedItems },
    { IDC_SLIDER, ControlKind::Slider, "", { 10, 80, 100, 15 } },
    { IDC_STATIC, ControlKind::Text, "Addr   00     01", { 10, 100, 80, 8 } },
    { IDC_STATUS, ControlKind::Text, "Status", { 100, 100, 60, 8 } },
    { IDC_STATIC, ControlKind::Picture, "", { 150, 82, 40, 10 }, StyleNone, testBitmapId },
    { IDC_STATIC, ControlKind::Icon, "", { 170, 96, 20, 20 }, StyleNone, testIconId },
} };

void recordHandler(TestDialog& dialog, const char* name)
{
    dialog.handled.emplace_back(name);
}

// Shows the model from inside a notification: the marks and selection it sets must raise nothing.
void showFromHandler(TestDialog& dialog)
{
    recordHandler(dialog, "late");
    dialog.early = 1;
    dialog.UpdateData(false);
}

constexpr std::array<EventEntry<TestDialog>, 7> eventTable { {
    { BN_CLICKED, IDC_GO, [](TestDialog& d) { recordHandler(d, "go first"); } },
    { BN_CLICKED, IDC_GO, [](TestDialog& d) { recordHandler(d, "go second"); } },
    { BN_CLICKED, IDC_LATE, showFromHandler },
    { EN_UPDATE, IDC_EDIT, [](TestDialog& d) { recordHandler(d, "edit"); } },
    { CBN_SELCHANGE, IDC_LIST, [](TestDialog& d) { recordHandler(d, "select"); } },
    { CBN_EDITCHANGE, IDC_LIST, [](TestDialog& d) { recordHandler(d, "type"); } },
    { NM_CUSTOMDRAW, IDC_SLIDER, [](TestDialog& d) { recordHandler(d, "paint"); } },
} };

QPixmap testBitmap()
{
    QPixmap pixmap(30, 20);
    pixmap.fill(Qt::red);
    return pixmap;
}

QIcon testIcon()
{
    QPixmap pixmap(48, 48);
    pixmap.fill(Qt::blue);
    return QIcon(pixmap);
}

} // namespace

const DialogTemplate testDialogTemplate { 900, "Framework Test", 200, 120, controls };

void userClick(QWidget& widget, Qt::MouseButton button)
{
    QWidget* window = widget.window();
    QTest::mouseClick(window->windowHandle(), button, {}, widget.mapTo(window, widget.rect().center()));
}

TestDialog::TestDialog(CDialog* parent)
    : CDialog(testDialogTemplate, parent)
{
    registerBitmap(testBitmapId, testBitmap);
    registerIcon(testIconId, testIcon);
}

QPushButton* TestDialog::button(int id) const
{
    return qobject_cast<QPushButton*>(controlWidget(id));
}
QCheckBox* TestDialog::checkBox(int id) const
{
    return qobject_cast<QCheckBox*>(controlWidget(id));
}
QLineEdit* TestDialog::edit(int id) const
{
    return qobject_cast<QLineEdit*>(controlWidget(id));
}
QComboBox* TestDialog::combo(int id) const
{
    return qobject_cast<QComboBox*>(controlWidget(id));
}
QSlider* TestDialog::sliderWidget() const
{
    return qobject_cast<QSlider*>(controlWidget(IDC_SLIDER));
}

std::size_t TestDialog::count(NotifyCode code, int id) const
{
    return static_cast<std::size_t>(std::count(received.begin(), received.end(), std::pair { code, id }));
}

void TestDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_LIST, list);
    DDX_Control(pDX, IDC_SORTED_LIST, sortedList);
    DDX_Control(pDX, IDC_SLIDER, slider);
    DDX_Text(pDX, IDC_EDIT, editText);
    DDX_Text(pDX, IDC_READ_ONLY, readOnlyText);
    DDX_Check(pDX, IDC_EARLY, early);
    DDX_Check(pDX, IDC_LATE, late);
    if (duringExchange)
        duringExchange(pDX->m_bSaveAndValidate);
}

bool TestDialog::OnNotify(NotifyCode code, int controlId)
{
    received.emplace_back(code, controlId);
    return dispatchEvent<TestDialog>(eventTable, *this, code, controlId);
}

void TestDialog::OnSysCommand(unsigned commandId, long parameter)
{
    sysCommands.push_back(commandId);
    CDialog::OnSysCommand(commandId, parameter);
}
