// The whole program on a fake kernel's bus: the bus node is closed before the debug log's viewer starts,
// since the viewer may stay open for long and an open node holds the bridge.
#include "FakeKernelBus.h"

#include "app/EvalApp.h"
#include "ptx/Backend.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The dialog ends through its close box as soon as its modal run starts.
void closeDialogOnceRunning()
{
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
}
Q_COREAPP_STARTUP_FUNCTION(closeDialogOnceRunning)

TEST(ProgramExit, ClosesTheBusNodeBeforeTheLogViewerStarts)
{
    auto kernel = std::make_shared<ptx::i2cdev::FakeKernelBus>();
    kernel->plug(5, { .name = "MCP2221 usb-i2c bridge" });
    const fs::path dir = fs::canonical(kernel->devRoot().parent_path());
    // The viewer lists what the program holds open as the viewer starts.
    std::ofstream(dir / "viewer") << "#!/bin/sh\nls -l /proc/$PPID/fd > held\n";
    fs::permissions(dir / "viewer", fs::perms::owner_all);

    // A process of its own, since the debug log takes standard output for good.
    const pid_t program = fork();
    if (program == 0) {
        std::ofstream marker(dir / "marker"); // held throughout, so the listing must show it
        if (chdir(dir.c_str()) != 0 || setenv("VISUAL", "./viewer", 1) != 0)
            _exit(3);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ptx::installBackend(ptx::i2cdev::createBackend("i2c-5", kernel));
        EvalApp app(false);
        char name[] = "kv3124-eval", debug[] = "/D";
        char* argv[] = { name, debug, nullptr };
        AfxWinMain(app, 2, argv);
        _exit(kernel->callsWith("i2c-5 SMBUS 2C read") > 0 ? 0 : 2);
    }
    int status = -1;
    ASSERT_EQ(waitpid(program, &status, 0), program);
    EXPECT_EQ(status, 0) << "the program did not run on the bus";
    std::ifstream in(dir / "held");
    const std::string held { std::istreambuf_iterator<char>(in), {} };
    EXPECT_NE(held.find((dir / "marker").string()), std::string::npos) << held;
    EXPECT_EQ(held.find((dir / "dev/i2c-5").string()), std::string::npos) << held;
}

} // namespace
