// The window's --record: the exact lines each operation adds through the real dialog, the record replayed by
// kv3124ctl on a fresh board, and the files a record may be added to.
#include "EvalDialogFixture.h"

#include "adapter/WriteRecord.h"
#include "cli/Ctl.h"

#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>

#include <array>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
namespace sim = ptx::sim;

const std::string started = "2026-12-08T14:03:07Z";

std::string contents(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

std::array<int, 256> chip()
{
    std::array<int, 256> values {};
    for (int reg = 0; reg < 256; ++reg)
        values[reg] = sim::registerValue(reg);
    return values;
}

class RecordTest : public EvalDialogFixture {
protected:
    // What the record gained since the last call.
    std::string added()
    {
        const std::string now = contents(path);
        const std::string gained = now.substr(std::min(seen, now.size()));
        seen = now.size();
        return gained;
    }

    // Load Registers from the context menu, its file dialog answered with `file`; any other dialog fails the test.
    void load(const QString& file)
    {
        QTimer answer;
        QObject::connect(&answer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || modal == dialog->window())
                return;
            if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
                chooser->findChild<QLineEdit*>("fileNameEdit")->setText(file);
                QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
                return;
            }
            ADD_FAILURE() << "unexpected dialog " << modal->windowTitle().toStdString();
            modal->close();
        });
        answer.start(20);
        dialog->popupSystemMenu({})->actions()[4]->trigger();
        settle();
    }

    const QTemporaryDir dir;
    const fs::path path = dir.filePath("session.txt").toStdString();
    std::size_t seen = 0;
};

} // namespace

TEST_F(RecordTest, EveryOperationAddsItsWritesAndTheRecordReplaysOnAFreshBoard)
{
    std::ofstream(path) << "# an earlier session\n";
    const QString snapshot = dir.filePath("board.kv3124");
    std::ofstream(snapshot.toStdString()) << "0x11 0x05\n0x13 0x2A\n";
    auto record = std::make_unique<WriteRecord>();
    ASSERT_EQ(record->start(path, started, "sim"), "");
    open();

    const struct {
        const char* name;
        std::function<void()> act;
        std::string lines;
    } steps[] {
        { "start-up: Readback All's fix-up of 0x10 and the slider's first drawing", [] {},
            "# an earlier session\n# kv3124-eval recording started 2026-12-08T14:03:07Z on adapter sim\n"
            "write 0x10 0x01  # start-up\nwrite 0x03 0x00  # start-up\nwrite 0x04 0x00  # start-up\n" },
        { "check box", [&] { click(IDC_LED3); }, "write 0x14 0x3B  # LED 3 box\n" },
        { "Reset and the slider's drawing at 0", [&] { click(IDC_RESET); },
            "write 0x00 0x80  # Reset button\nwrite 0x03 0x00  # Brightness slider\n"
            "write 0x04 0x00  # Brightness slider\n" },
        { "list", [&] { choose(IDC_STEP_LIST, 1); }, "write 0x15 0x01  # Step list\n" },
        { "External box", [&] { click(IDC_ISET_EXTERNAL); }, "write 0x11 0x84  # ISET External box\n" },
        { "slider",
            [&] {
                dialog->controlWidget(IDC_BRIGHTNESS_SLIDER)->setFocus();
                QTest::keyClick(dialog->controlWidget(IDC_BRIGHTNESS_SLIDER), Qt::Key_End);
            },
            "write 0x03 0xF0  # Brightness slider\nwrite 0x04 0xFF  # Brightness slider\n" },
        { "Target field, a write per keystroke", [&] { typeOver(IDC_TARGET, "80"); },
            "write 0x03 0x80  # Target field\nwrite 0x04 0x00  # Target field\n"
            "write 0x03 0x00  # Target field\nwrite 0x04 0x08  # Target field\n" },
        { "Set, and the slider drawn at its new place", [&] { click(IDC_SET); },
            "write 0x03 0x00  # Set button\nwrite 0x04 0x08  # Set button\n"
            "write 0x03 0x00  # Brightness slider\nwrite 0x04 0x08  # Brightness slider\n" },
        { "manual Write", [&] { typeOver(IDC_REG_ADDR, "20"), typeOver(IDC_DATA, "5A"), click(IDC_WRITE); },
            "write 0x20 0x5A  # Write button\n" },
        { "manual Write to the status register", [&] { typeOver(IDC_REG_ADDR, "01"), click(IDC_WRITE); },
            "# write 0x01 0x5A  # Write button; read-only, kv3124ctl does not write it\n" },
        { "a write the chip refuses", [&] { sim::failNextWrites(1), click(IDC_PFSET_EXTERNAL); },
            "# write 0x12 0x82  # PFSET External box; not taken by the chip\n" },
        { "Readback All", [&] { sim::setRegister(0x10, 0x0C), click(IDC_READBACK_ALL); },
            "write 0x10 0x04  # Readback All button\n" },
        { "Load Registers, in the load order, and its Readback All", [&] { load(snapshot); },
            "write 0x13 0x2A  # Load Registers menu\nwrite 0x11 0x05  # Load Registers menu\n"
            "write 0x10 0x04  # Load Registers menu\n" },
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        settle();
        EXPECT_EQ(added(), step.lines);
    }
    const std::array<int, 256> left = chip();
    dialog.reset();
    record.reset();

    sim::reset();
    adapterResetForTests();
    ASSERT_NE(chip(), left) << "nothing to replay";
    std::istringstream in;
    std::ostringstream out, err;
    EXPECT_EQ(runCtl({ "kv3124ctl", "run", QString::fromStdString(path) }, in, out, err, systemClock()), 0);
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(chip(), left);
}

// Links and an empty name are refused in the program's own test; here a FIFO without a reader, which must not hold up
// the start, the adapter's name kept on the header's line, and a full file said once.
TEST_F(RecordTest, RefusesAFifoKeepsTheHeaderOneLineAndStopsOnAFullFile)
{
    const std::string name = path.string();
    ::mkfifo(name.c_str(), 0600);
    WriteRecord record;
    EXPECT_EQ(record.start(name, started, "sim"),
        "cannot record: " + name + " is not a regular file (a device, pipe or socket)");
    fs::remove(path);
    ASSERT_EQ(record.start(name, started, "i2c:USB\nbridge"), "");
    const std::string header = "# kv3124-eval recording started " + started + " on adapter i2c:USB?bridge\n";
    EXPECT_EQ(contents(path), header);

    int said[2];
    ASSERT_EQ(::pipe(said), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        const rlimit limit { fs::file_size(path), fs::file_size(path) };
        ::signal(SIGXFSZ, SIG_IGN);
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0 || ::dup2(said[1], STDERR_FILENO) < 0)
            ::_exit(2);
        recordWrite(0x14, 0x3F, true);
        recordWrite(0x14, 0x3E, true);
        ::_exit(std::fflush(stderr) == 0 ? 0 : 3);
    }
    ::close(said[1]);
    int status = -1;
    ::waitpid(child, &status, 0);
    EXPECT_EQ(status, 0);
    char text[256] {};
    EXPECT_GT(::read(said[0], text, sizeof text - 1), 0);
    ::close(said[0]);
    EXPECT_EQ(std::string(text), "kv3124-eval: recording to " + name + " stopped: File too large\n");
    EXPECT_EQ(contents(path), header);
}
