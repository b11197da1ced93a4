// The real program, ending its modal dialog through the close box as soon as it is shown, or killed
// then when STARTUP_DRIVER_KILL is set. With --adapter=i2c-5 it runs on a bus of a fake kernel, and
// fails unless the window read the chip there.
#include "FakeKernelBus.h"

#include "app/EvalApp.h"
#include "app/Program.h"
#include "ptx/Backend.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string_view>

// The dialog's modal run is the program's one event loop.
static void closeDialogOnceShown()
{
    QTimer::singleShot(0, [] {
        if (std::getenv("STARTUP_DRIVER_KILL")) {
            std::cout << "window shown\n"; // through the C++ stream, which must follow the log's lines too
            std::raise(SIGKILL);
        }
        QApplication::activeModalWidget()->close();
    });
}
Q_COREAPP_STARTUP_FUNCTION(closeDialogOnceShown)

int main(int argc, char** argv)
{
    if (std::find(argv + 1, argv + argc, std::string_view("--adapter=i2c-5")) == argv + argc)
        return runProgram(argc, argv);
    auto kernel = std::make_shared<ptx::i2cdev::FakeKernelBus>();
    kernel->plug(5, { .name = "MCP2221 usb-i2c bridge" });
    ptx::installBackend(ptx::i2cdev::createBackend("i2c-5", kernel));
    EvalApp app("i2c-5");
    AfxWinMain(app, argc, argv);
    return kernel->callsWith("i2c-5 SMBUS 2C read") > 0 ? 0 : 3;
}
