// The program itself on the stub's bus: the listing, and the bus taken by number and by name.
#include "StubChip.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QTest>

namespace {

TEST(KernelProgramTest, ListsTheStubBusAndTakesItByNumberAndByName)
{
    stub::load("0x2c");
    // A client device on the bus ("0-0050" in sysfs) is no bus of its own.
    ASSERT_EQ(stub::run("echo dummy 0x50 >/sys/bus/i2c/devices/i2c-0/new_device").status, 0);
    QProcess listing;
    listing.start(KV3124_EVAL, { "--list-adapters" });
    ASSERT_TRUE(listing.waitForFinished());
    EXPECT_EQ(listing.readAllStandardOutput().toStdString(),
        "sim\tsimulated evaluation board (default)\nnone\tno adapter\ni2c-0\tSMBus stub driver\n");

    for (const char* adapter : { "--adapter=i2c-0", "--adapter=i2c:SMBus stub" }) {
        SCOPED_TRACE(adapter);
        stub::set({ { 0x03, 0x5A }, { 0x10, 0x8F } });
        QProcess program;
        program.start(KV3124_EVAL, { adapter });
        // Readback All's fix-up of 0x10 and the slider's first paint are the writes of a window that came up.
        const QDeadlineTimer deadline(60'000);
        while ((stub::get(0x10) != 0x87 || stub::get(0x03) != 0x00) && !deadline.hasExpired())
            QTest::qWait(200);
        EXPECT_EQ(stub::get(0x10), 0x87);
        EXPECT_EQ(stub::get(0x03), 0x00);
        program.kill();
        program.waitForFinished();
        EXPECT_EQ(program.readAllStandardError().toStdString(), "");
    }
}

} // namespace
