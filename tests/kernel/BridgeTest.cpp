// The program through the real kernel's driver for an MCP2221A USB-to-I2C bridge. Each bridge is emulated on
// the device side of dummy_hcd, a USB host and device connected inside the kernel, and keeps a record of every
// transfer that reached its chip and of the chip's registers: each check reads those, never only what the
// program printed or showed. Plugs take the driver about 30 s, so bridges are plugged side by side on root
// hubs of their own, and the tests run in order: ours on hub 0, three more on hubs 2 to 4 to pull out during
// transfers, and later a twin (same kind, another serial number) on hub 0 while ours moves to hub 1.
#include "BusWindowFixture.h"
#include "EmulatedBridge.h"
#include "Shell.h"

#include "ptx/sim/Kv3124Registers.h"

#include <QLoggingCategory>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testing::HasSubstr;
using testing::Not;

const std::string kCtl = KV3124CTL;
const std::string kOurs = "KV-SN-00B7";
const std::string kBridgeName = "MCP2221 usb-i2c bridge";
// The HID gadget driver has four nodes: ours and three.
constexpr int kBusyBridges = 3;

std::string readFile(const fs::path& file)
{
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

// The value of each "0xRR 0xVV" line, by register.
std::map<int, int> registerLines(const std::string& text)
{
    std::map<int, int> values;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("0x", 0) != 0)
            continue;
        values[std::stoi(line.substr(0, 4), nullptr, 16)] = std::stoi(line.substr(5, 4), nullptr, 16);
    }
    return values;
}

// Whether process `pid` has an I2C bus node open.
bool holdsABus(pid_t pid)
{
    std::error_code error;
    for (fs::directory_iterator it("/proc/" + std::to_string(pid) + "/fd", error), end; !error && it != end;
         it.increment(error))
        if (fs::read_symlink(it->path(), error).string().rfind("/dev/i2c-", 0) == 0)
            return true;
    return false;
}

// Some task waits in the kernel to remove an I2C adapter: the USB removal cannot finish.
bool removalHangs()
{
    std::error_code error;
    for (fs::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error))
        if (readFile(it->path() / "stack").find("i2c_del_adapter") != std::string::npos)
            return true;
    return false;
}

// Soon after the unplug `pid` lets go of the node, and the kernel then removes the bridge entirely. A session at
// rest does so within a second; one in the middle of a transfer only once the driver has given up waiting for
// the answer the unplug lost, 4 s.
void expectReleased(pid_t pid, const fs::path& usbDevice, std::chrono::seconds limit = 1s)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    while (holdsABus(pid) && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(holdsABus(pid)) << "the node is still open " << limit.count() << " s after the unplug";
    for (int waited = 0; (fs::exists(usbDevice) || removalHangs()) && waited < 50; ++waited)
        std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(fs::exists(usbDevice)) << usbDevice;
    EXPECT_FALSE(removalHangs());
}

std::string gone(const std::string& bus, const std::string& port, const std::string& serial)
{
    return bus + ": adapter \"" + kBridgeName + "\" on USB port " + port + " with serial number " + serial + " is gone";
}

class BridgeTest : public BusWindowFixture {
protected:
    static void SetUpTestSuite()
    {
        ours_ = std::make_unique<EmulatedBridge>("ours", kOurs);
        ours_->plug(0);
        for (int i = 0; i < kBusyBridges; ++i) {
            busy_.push_back(
                std::make_unique<EmulatedBridge>("busy" + std::to_string(i), "KV-SN-01" + std::to_string(i)));
            busy_.back()->plug(2 + i);
        }
        // The driver's probe waits out a timeout on each of its first commands: half a minute, side by side.
        bus_ = ours_->waitUntilReady(120s);
        for (const auto& bridge : busy_)
            busyBuses_.push_back(bridge->waitUntilReady(60s));
    }

    static void TearDownTestSuite()
    {
        // The last window's session goes before its bridge does.
        ptxSelectBackend("sim");
        ours_.reset();
        busy_.clear();
    }

    void SetUp() override
    {
        BusWindowFixture::SetUp();
        // Standard error is the program's own: the offscreen platform's warnings stay out.
        QLoggingCategory::setFilterRules("default.warning=false");
        ASSERT_FALSE(bus_.empty()) << "our bridge's I2C adapter did not appear";
        ours_->newRecord();
    }

    static std::unique_ptr<EmulatedBridge> ours_;
    static std::vector<std::unique_ptr<EmulatedBridge>> busy_;
    static std::string bus_;
    static std::vector<std::string> busyBuses_;
};

std::unique_ptr<EmulatedBridge> BridgeTest::ours_;
std::vector<std::unique_ptr<EmulatedBridge>> BridgeTest::busy_;
std::string BridgeTest::bus_;
std::vector<std::string> BridgeTest::busyBuses_;

// Six identical bridges: the listing tells them apart by serial number and port, a name matching all of them
// opens none, and the serial number opens the one.
TEST_F(BridgeTest, SerialNumbersTellIdenticalBridgesApart)
{
    const std::string listing = run(KV3124_EVAL " --list-adapters").output;
    EXPECT_THAT(
        listing, HasSubstr(bus_ + '\t' + kBridgeName + "\tUSB port " + ours_->port() + "\tserial " + kOurs + '\n'));
    for (int i = 0; i < kBusyBridges; ++i)
        EXPECT_THAT(listing,
            HasSubstr(busyBuses_[i] + '\t' + kBridgeName + "\tUSB port " + busy_[i]->port() + "\tserial "
                + busy_[i]->serial() + '\n'));

    const Result byName = run(kCtl + " --adapter=i2c:MCP2221 get led3");
    EXPECT_EQ(byName.status, 1);
    EXPECT_THAT(byName.output,
        HasSubstr("i2c:MCP2221: several buses match (" + bus_ + " \"" + kBridgeName + "\" on USB port "));
    EXPECT_THAT(byName.output, HasSubstr("name one by its bridge's serial number with --adapter=serial:SERIAL"));
    EXPECT_THAT(byName.output, Not(HasSubstr("no adapter")));
    EXPECT_EQ(run(kCtl + " --adapter=serial:" + kOurs + " get led3").output, "led3=on\n");
    EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> {});
    for (const auto& bridge : busy_)
        EXPECT_EQ(bridge->newRecord(), std::vector<std::string> {}) << bridge->serial();
}

TEST_F(BridgeTest, KvctlCommandsReachTheChipByBusAndBySerialNumber)
{
    const std::string byBus = kCtl + " --adapter=" + bus_ + ' ';
    const std::string bySerial = kCtl + " --adapter=serial:" + kOurs + ' ';

    // dump: every register it shows is the chip's, and nothing is written.
    const Result dump = run(byBus + "dump");
    ASSERT_EQ(dump.status, 0) << dump.output;
    const auto shown = registerLines(dump.output);
    EXPECT_EQ(shown.size(), 18u) << dump.output;
    const auto atStart = ours_->registers();
    EXPECT_EQ(atStart[0x14], 0x3F);
    for (const auto& [reg, value] : shown)
        EXPECT_EQ(value, atStart[reg]) << "register " << reg;
    EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> {});

    // set: one write of the LED enables with led3's bit cleared.
    const Result set = run(bySerial + "set led3 off");
    ASSERT_EQ(set.status, 0) << set.output;
    EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> { "write 14 3B" });
    EXPECT_EQ(ours_->registers()[0x14], 0x3B);

    // get: what the chip holds, set each way by i2c-tools through the same driver.
    for (const auto& [value, shownAs] : { std::pair { 0x3B, "led3=off\n" }, std::pair { 0x3F, "led3=on\n" } }) {
        ASSERT_EQ(run("i2cset -y " + bus_.substr(4) + " 0x2c 0x14 " + std::to_string(value)).status, 0);
        EXPECT_EQ(ours_->registers()[0x14], value);
        ours_->newRecord();
        EXPECT_EQ(run(byBus + "get led3").output, shownAs);
        EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> {});
    }

    // save, with its trace: the file holds the chip's registers, and the trace names the bridge by its serial.
    const fs::path file = "/run/bridges/board.kv3124";
    const Result save = run(bySerial + "--trace=/run/bridges/trace save " + file.string());
    ASSERT_EQ(save.status, 0) << save.output;
    EXPECT_THAT(readFile("/run/bridges/trace"), HasSubstr("open     \"" + kOurs + "\" -> 1 ok\n"));
    const std::string saved = readFile(file);
    const auto savedValues = registerLines(saved);
    const auto chip = ours_->registers();
    EXPECT_EQ(savedValues.size(), shown.size());
    for (const auto& [reg, value] : savedValues)
        EXPECT_EQ(value, chip[reg]) << "register " << reg;

    // load: other values for the LED enables, the brightness and the current; control goes last.
    std::string edited = saved;
    for (const auto& [from, to] : { std::pair { "0x14 0x3F", "0x14 0x15" }, std::pair { "0x03 0x00", "0x03 0x07" },
             std::pair { "0x04 0x00", "0x04 0x8C" }, std::pair { "0x11 0x04", "0x11 0x02" } }) {
        const auto at = edited.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        edited.replace(at, 9, to);
    }
    std::ofstream(file, std::ios::trunc) << edited;
    ours_->newRecord();
    const Result load = run(byBus + "load " + file.string());
    ASSERT_EQ(load.status, 0) << load.output;
    const auto loaded = ours_->registers();
    EXPECT_EQ(loaded[0x14], 0x15);
    EXPECT_EQ(loaded[0x03], 0x07);
    EXPECT_EQ(loaded[0x04], 0x8C);
    EXPECT_EQ(loaded[0x11], 0x02);
    EXPECT_EQ(loaded[0x01], 0x00);
    const auto written = dataWrites(ours_->newRecord());
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), "write 00 01");
    for (const auto& line : written)
        EXPECT_NE(line.substr(6, 2), "01") << "the read-only status register was written";

    // Another address goes unacknowledged and the read fails: the register byte's write and the read
    // with a repeated start each address it.
    const Result elsewhere = run("i2cget -y " + bus_.substr(4) + " 0x2d 0x14");
    EXPECT_NE(elsewhere.status, 0);
    EXPECT_EQ(elsewhere.output, "Error: Read failed\n");
    EXPECT_EQ(ours_->newRecord(), (std::vector<std::string> { "no-ack 2D", "no-ack 2D" }));

    // The reset bit brings back every power-on value.
    ASSERT_EQ(run(bySerial + "write 0x00 0x81").status, 0);
    const auto reset = ours_->registers();
    for (int reg = 0; reg < 256; ++reg)
        EXPECT_EQ(reset[reg], ptx::sim::Kv3124Registers::powerOnValue(static_cast<std::uint8_t>(reg))) << reg;
}

TEST_F(BridgeTest, TheWindowReachesTheChipInEveryFamily)
{
    ptxSelectBackend(("serial:" + kOurs).c_str());
    testing::internal::CaptureStderr();
    runOperations([](int reg) { return ours_->registers()[reg]; }, [](int reg, int value) { ours_->set(reg, value); });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    const auto written = dataWrites(ours_->newRecord());
    EXPECT_EQ(std::ranges::count(written, "write 00 80"), 1);
    EXPECT_EQ(ours_->registers()[0x00], ptx::sim::Kv3124Registers::powerOnValue(0x00));
}

// Pulled out while kv3124ctl reads as fast as it can, twice on each busy bridge: each run says its bridge is gone,
// never that the chip does not answer, and lets go of the node, so that the kernel can finish the removal.
// Without --wait it fails at once. With it, the bridge plugged in again is taken back once its driver has
// started it, and the run goes on where it was cut short: every read answered once.
TEST_F(BridgeTest, AnUnplugDuringTransfersReadsAsAnUnplug)
{
    constexpr int reads = 600;
    std::ofstream script("/run/bridges/reads");
    for (int i = 0; i < reads; ++i)
        script << "read 0x14\n";
    script.close();
    for (const bool wait : { false, true }) {
        SCOPED_TRACE(wait ? "--wait" : "");
        std::vector<std::unique_ptr<Background>> runs;
        for (int i = 0; i < kBusyBridges; ++i)
            runs.push_back(std::make_unique<Background>(kCtl + " --adapter=serial:" + busy_[i]->serial()
                    + (wait ? " --wait=90" : "") + " run /run/bridges/reads",
                "/run/bridges/out" + std::to_string(i)));
        for (const auto& bridge : busy_) {
            std::size_t transfers = 0;
            for (int waited = 0; (transfers += bridge->newRecord().size()) < 20 && waited < 200; ++waited)
                std::this_thread::sleep_for(50ms);
        }
        std::vector<fs::path> devices;
        for (const auto& bridge : busy_) {
            devices.push_back(bridge->usbDevice());
            bridge->unplug();
        }
        for (int i = 0; i < kBusyBridges; ++i)
            expectReleased(runs[i]->pid(), devices[i], 6s);
        for (int i = 0; i < kBusyBridges && wait; ++i)
            busy_[i]->plug(2 + i);
        for (int i = 0; i < kBusyBridges; ++i) {
            SCOPED_TRACE(busy_[i]->serial());
            const Result result = runs[i]->finish();
            const std::string goneLine = gone(busyBuses_[i], busy_[i]->port(), busy_[i]->serial());
            EXPECT_THAT(result.output, Not(HasSubstr("answers")));
            if (!wait) {
                EXPECT_EQ(result.status, 1);
                EXPECT_THAT(result.output, HasSubstr("kv3124ctl: " + goneLine + '\n'));
                continue;
            }
            EXPECT_EQ(result.status, 0);
            busyBuses_[i] = busy_[i]->waitUntilReady(1s);
            EXPECT_THAT(result.output,
                HasSubstr("kv3124ctl: " + goneLine + "; waiting up to 90 s for it to come back\nkv3124ctl: adapter \""
                    + kBridgeName + "\" on USB port " + busy_[i]->port() + " with serial number " + busy_[i]->serial()
                    + " is back as " + busyBuses_[i] + '\n'));
            std::istringstream lines(result.output);
            int answered = 0;
            for (std::string line; std::getline(lines, line);)
                answered += line == "0x3F";
            EXPECT_EQ(answered, reads);
        }
        for (int i = 0; i < kBusyBridges && !wait; ++i)
            busy_[i]->plug(2 + i);
        for (int i = 0; i < kBusyBridges && !wait; ++i)
            ASSERT_FALSE((busyBuses_[i] = busy_[i]->waitUntilReady(120s)).empty());
    }
}

// The bridge's own errors, each said once in one clear line, with nothing more sent to the board than the
// failing transfer: no acknowledge from the chip (ENXIO), a busy I2C engine (EAGAIN) and a bridge that stops
// answering (the driver's own timeout, once the bridge is past its start).
TEST_F(BridgeTest, TheBridgesErrorsAreSaidOnceEach)
{
    while (ours_->pluggedInFor() < 61s)
        std::this_thread::sleep_for(200ms);
    const struct {
        const char* fault;
        std::string reason;
        std::vector<std::string> record; // what reached the board
        bool window; // a silent bridge holds each of the window's start-up reads for the driver's timeout
    } cases[] = {
        // The register byte goes out without a status check, so the read after it is the one refused.
        { "nack", "no device answers at 0x2C", { "no-ack 2C", "no-ack 2C" }, true },
        { "busy", "the bus is busy (another master on it, or a stuck controller)", {}, true },
        { "silent", "the bus timed out talking to 0x2C (a device may be holding it: power-cycle the board)", {},
            false },
    };
    for (const auto& [fault, reason, record, window] : cases) {
        SCOPED_TRACE(fault);
        ours_->fault(fault);
        const auto before = std::chrono::steady_clock::now();
        const Result get = run(kCtl + " --adapter=serial:" + kOurs + " get led3");
        const auto took
            = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - before);
        std::printf("%s: kv3124ctl get took %lld ms\n", fault, static_cast<long long>(took.count()));
        EXPECT_EQ(get.status, 1);
        EXPECT_THAT(get.output, HasSubstr("kv3124ctl: " + bus_ + ": " + reason + '\n'));
        EXPECT_EQ(ours_->newRecord(), record);
        if (!window)
            continue;

        // The window: its start-up fails with the one reason, said once through its Readback All and clicks.
        SetUp();
        ptxSelectBackend(bus_.c_str());
        testing::internal::CaptureStderr();
        open();
        EXPECT_EQ(text(IDC_STATUS), "USB Initialization Error");
        click(IDC_READBACK_ALL);
        click(IDC_LED4);
        settle();
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
            std::string(program_invocation_short_name) + ": " + bus_ + ": " + reason + '\n');
        EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> {});
        TearDown();
    }
    ours_->fault("none");
}

// kv3124ctl watch on the bridge ends with status 3 once the chip itself sets a fault bit in its status register.
TEST_F(BridgeTest, WatchEndsWhenTheChipReportsAFault)
{
    Background watch(
        kCtl + " --adapter=serial:" + kOurs + " watch --until=fault --interval=50 --for=60", "/run/bridges/watch");
    std::size_t transfers = 0;
    for (int waited = 0; (transfers += ours_->newRecord().size()) < 8 && waited < 200; ++waited)
        std::this_thread::sleep_for(50ms);
    ours_->set(0x01, 0x80);
    const Result result = watch.finish();
    ours_->set(0x01, 0x00);
    EXPECT_EQ(result.status, 3) << result.output;
    EXPECT_THAT(result.output, HasSubstr("Z open=on\n"));
    EXPECT_THAT(result.output, HasSubstr("Z end after "));
}

// The window keeps running through an unplug: it lets go of the node at once, says so once, and Readback All
// then fails leaving the cells as they were. Plugged in again, a bridge that does not answer yet is said to be
// still starting, and once it answers the window's next change reaches the chip.
TEST_F(BridgeTest, TheWindowWaitsForItsBridgeOnItsPort)
{
    ptxSelectBackend(bus_.c_str());
    open();
    ASSERT_EQ(text(IDC_STATUS), "Ready4");
    std::vector<std::string> cells;
    for (int id : { IDC_REG00, IDC_REG10, IDC_REG14 })
        cells.push_back(text(id));
    ours_->newRecord();

    testing::internal::CaptureStderr();
    const fs::path usbDevice = ours_->usbDevice();
    const std::string port = ours_->port();
    ours_->unplug();
    expectReleased(::getpid(), usbDevice);
    click(IDC_READBACK_ALL);
    settle();
    std::vector<std::string> after;
    for (int id : { IDC_REG00, IDC_REG10, IDC_REG14 })
        after.push_back(text(id));
    EXPECT_EQ(after, cells);
    const std::string name = program_invocation_short_name;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        name + ": " + gone(bus_, port, kOurs) + "; waiting for it to come back\n");

    testing::internal::CaptureStderr();
    ours_->plug(0);
    bus_ = ours_->waitUntilReady(120s);
    ASSERT_FALSE(bus_.empty());
    ours_->fault("silent");
    const Result starting = run(kCtl + " --adapter=serial:" + kOurs + " get led3");
    ours_->fault("none");
    EXPECT_EQ(starting.status, 1);
    EXPECT_EQ(starting.output,
        "kv3124ctl: " + bus_
            + ": the bridge is still starting (it can take about 30 s after plugging in); try again in a few "
              "seconds\n");
    EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> {});
    click(IDC_LED4);
    settle();
    EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> { "write 14 37" });
    EXPECT_EQ(ours_->registers()[0x14], 0x37);
    EXPECT_EQ(text(IDC_REG14), "37");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        name + ": adapter \"" + kBridgeName + "\" on USB port " + port + " with serial number " + kOurs + " is back as "
            + bus_ + '\n');
}

// Ours moves to root hub 1 while a twin (the same kind of bridge with another serial number) takes its port:
// the window, which named ours by its serial number, follows it there; kv3124ctl, which named its bus, waits
// for ours on its own port and takes neither. The twin's board never sees a transfer.
TEST_F(BridgeTest, ASerialSessionFollowsItsBoardAndATwinIsNeverOpened)
{
    // The gadget driver has room for four bridges: the busy ones make way for the twin.
    busy_.clear();
    ptxSelectBackend(("serial:" + kOurs).c_str());
    open();
    ASSERT_EQ(text(IDC_STATUS), "Ready4");
    ours_->newRecord();
    Background ctl(kCtl + " --adapter=" + bus_ + " --wait=5 run -", "/run/bridges/twin-ctl");
    ctl.send("get led3\n");
    for (int waited = 0; readFile("/run/bridges/twin-ctl").empty() && waited < 100; ++waited)
        std::this_thread::sleep_for(50ms);
    ASSERT_EQ(readFile("/run/bridges/twin-ctl"), "led3=on\n");

    testing::internal::CaptureStderr();
    const fs::path usbDevice = ours_->usbDevice();
    const std::string port = ours_->port();
    ours_->unplug();
    expectReleased(::getpid(), usbDevice);
    expectReleased(ctl.pid(), usbDevice);
    EmulatedBridge twin("twin", "KV-SN-00B8");
    ASSERT_TRUE(twin.plug(0)) << "the twin could not be plugged in";
    ASSERT_TRUE(ours_->plug(1));
    const std::string twinBus = twin.waitUntilReady(120s);
    const std::string moved = ours_->waitUntilReady(120s);
    ASSERT_FALSE(twinBus.empty());
    ASSERT_FALSE(moved.empty());

    ctl.send("get led3\n");
    const Result waited = ctl.finish();
    EXPECT_EQ(waited.status, 1);
    EXPECT_THAT(waited.output,
        HasSubstr("kv3124ctl: " + gone(bus_, port, kOurs) + "; waiting up to 5 s for it to come back\n"));
    EXPECT_THAT(waited.output, HasSubstr("did not come back within 5 s\n"));

    // The box starts marked, so the click clears led3's bit in what the chip holds.
    char cleared[3];
    std::snprintf(cleared, sizeof cleared, "%02X", ours_->registers()[0x14] & ~0x04);
    click(IDC_LED3);
    settle();
    EXPECT_EQ(dataWrites(ours_->newRecord()), std::vector<std::string> { std::string("write 14 ") + cleared });
    EXPECT_EQ(text(IDC_REG14), cleared);
    const std::string name = program_invocation_short_name;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        name + ": " + gone(bus_, port, kOurs) + "; waiting for it to come back\n" + name + ": adapter \"" + kBridgeName
            + "\" on USB port " + ours_->port() + " with serial number " + kOurs + " is back as " + moved + '\n');
    EXPECT_EQ(twin.newRecord(), std::vector<std::string> {});
    bus_ = moved;
}

} // namespace
