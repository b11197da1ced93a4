#include "WindowInputs.h"

#include "res/ResourceIds.h"

#include <QDialog>
#include <QTest>

namespace {

void key(EvalDialog& window, int id, Qt::Key key)
{
    QWidget* control = window.controlWidget(id);
    control->setFocus();
    QTest::keyClick(control, key);
}

// Space clicks a button as a mouse click does; QTest's mouse click also runs the event loop, painting included.
void click(EvalDialog& window, int id)
{
    key(window, id, Qt::Key_Space);
}

} // namespace

const std::array<OperationFamily, 8> operationFamilies { {
    { "bitToggle", [](EvalDialog& w, int) { click(w, IDC_LED1); } },
    { "listChoice", [](EvalDialog& w, int turn) { key(w, IDC_MODE_LIST, turn % 2 ? Qt::Key_Up : Qt::Key_Down); } },
    { "sliderDrawing",
        [](EvalDialog& w, int turn) {
            key(w, IDC_BRIGHTNESS_SLIDER, turn % 2 ? Qt::Key_Left : Qt::Key_Right);
            w.controlWidget(IDC_BRIGHTNESS_SLIDER)->repaint();
        } },
    { "targetKeystroke",
        [](EvalDialog& w, int turn) { key(w, IDC_TARGET, turn % 2 ? Qt::Key_Backspace : Qt::Key_5); } },
    { "set", [](EvalDialog& w, int) { click(w, IDC_SET); } },
    { "manualRead", [](EvalDialog& w, int) { click(w, IDC_READ); } },
    { "manualWrite", [](EvalDialog& w, int) { click(w, IDC_WRITE); } },
    { "readbackAll", [](EvalDialog& w, int) { click(w, IDC_READBACK_ALL); } },
} };

void bareControlPress(QWidget& button)
{
    QTest::keyClick(&button, Qt::Key_Space);
}

EvalDialog& benchWindow()
{
    static EvalDialog* window = [] {
        auto* created = new EvalDialog(true);
        created->Create();
        if (!QTest::qWaitForWindowExposed(created->window()))
            qFatal("the window was never shown");
        QTest::keyClicks(created->controlWidget(IDC_REG_ADDR), "14");
        QTest::keyClicks(created->controlWidget(IDC_DATA), "3F");
        QTest::qWait(50);
        return created;
    }();
    return *window;
}
