// The real program, ending its modal dialog through the close box as soon as it is shown.
#include "app/Program.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

static void closeDialogOnceShown()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        if (QWidget* dialog = QApplication::activeModalWidget(); dialog && dialog->isVisible())
            dialog->close();
    });
    timer->start(20);
}
Q_COREAPP_STARTUP_FUNCTION(closeDialogOnceShown)

int main(int argc, char** argv)
{
    return runProgram(argc, argv);
}
