#include "FakeKernelBus.h"

#include "ptx/LastFailure.h"
#include "ptx/i2cdev/BusListing.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <regex>
#include <thread>

namespace ptx::i2cdev {
namespace {

using Adapter = FakeKernelBus::Adapter;
using Log = std::vector<std::string>;
using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
const std::string kBridge = "MCP2221 usb-i2c bridge";

// A HID bridge on port `port` of the hub in USB port 1-1.
std::string behindHub(int port)
{
    const std::string device = "1-1." + std::to_string(port);
    return "pci0000:00/0000:00:14.0/usb1/1-1/" + device + "/" + device + ":1.0/0003:04D8:00DD.*";
}

class I2cDevBackendTest : public ::testing::Test {
protected:
    // The adapter connection's start-up calls in its order; a negative result is "USB Initialization Error".
    int start(std::string_view name)
    {
        backend = createBackend(name, kernel);
        char serial[80] = {};
        if (backend->findControllers() == 1 && backend->getSerialNumber(0, serial, sizeof serial) == 0)
            handle = backend->open(serial);
        unsigned char record[5];
        return backend->firmwareVersionRead(handle, record, 5);
    }
    int read(int reg) { return backend->registerRead(handle, 0x2C, reg); }
    int write(int reg, int value) { return backend->registerWrite(handle, 0x2C, reg, value); }
    // What ptxLastFailure hands the caller.
    static std::string lastFailure()
    {
        char text[256];
        return failure::take(text, sizeof text) > 0 ? text : "";
    }
    // `texts` as lines of standard error, with {dev} and {sys} for the fake kernel's roots.
    std::string told(std::vector<std::string> texts) const
    {
        std::string all;
        for (const std::string& text : texts)
            all += std::string(program_invocation_short_name) + ": " + text + "\n";
        all = std::regex_replace(all, std::regex("\\{dev\\}"), kernel->devRoot().string());
        return std::regex_replace(all, std::regex("\\{sys\\}"), std::filesystem::canonical(kernel->sysRoot()).string());
    }

    std::shared_ptr<FakeKernelBus> kernel = std::make_shared<FakeKernelBus>();
    std::unique_ptr<Backend> backend;
    int handle = 0;
};

TEST_F(I2cDevBackendTest, EachAccessIsOneIoctlOnTheNamedBusAndFailuresAreReportedOncePerEpisode)
{
    const std::pair<unsigned long, Log> cases[] = {
        // Start-up asks what the adapter can do, claims the chip's address and reads once to see that it
        // answers. Byte-data transfers are preferred where the adapter offers plain I2C as well.
        { I2C_FUNC_I2C | I2C_FUNC_SMBUS_BYTE_DATA,
            { "i2c-3 open", "i2c-3 FUNCS", "i2c-3 SLAVE 2C", "i2c-3 SMBUS 2C read 00 -> 00",
                "i2c-3 SMBUS 2C read 14 -> 5A", "i2c-3 SMBUS 2C write 13 A5" } },
        // A read writes the register address, then reads after a repeated start; a write is one two-byte message.
        { I2C_FUNC_I2C,
            { "i2c-3 open", "i2c-3 FUNCS", "i2c-3 SLAVE 2C", "i2c-3 RDWR 2C write 00, 2C read 00",
                "i2c-3 RDWR 2C write 14, 2C read 5A", "i2c-3 RDWR 2C write 13 A5" } },
    };
    // Each cause is told once, whatever access meets it next, and again only after a success. Bridges report
    // a missing acknowledge in several ways (i2c-stub with ENODEV); other errors name the access they first met.
    const std::string noAnswer = "i2c-3: no device answers at 0x2C";
    const std::pair<int, std::string> failures[] = { { ENXIO, noAnswer }, { EREMOTEIO, noAnswer }, { EIO, noAnswer },
        { ENODEV, noAnswer },
        { ETIMEDOUT, "i2c-3: the bus timed out talking to 0x2C (a device may be holding it: power-cycle the board)" },
        { EBUSY, "i2c-3: the bus is busy (another master on it, or a stuck controller)" },
        { EAGAIN, "i2c-3: the bus is busy (another master on it, or a stuck controller)" },
        { EPROTO, "i2c-3: reading register 0x13: Protocol error" }, { ENXIO, noAnswer } };
    for (const auto& [functions, calls] : cases) {
        kernel = std::make_shared<FakeKernelBus>();
        kernel->plug(0, { .name = "SMBus I801 adapter at efa0" });
        auto& adapter = kernel->plug(3, { .name = kBridge, .functions = functions });
        adapter.registers[0x14] = 0x5A;
        ASSERT_EQ(start("i2c-3"), 0);
        EXPECT_EQ((std::vector { read(0x14), write(0x13, 0xA5) }), (std::vector { 0x5A, 0 }));
        EXPECT_EQ(kernel->calls, calls);

        Log lines;
        CaptureStderr();
        for (const auto& [error, why] : failures) {
            adapter.failures = { { "SMBUS", error }, { "RDWR", error } };
            EXPECT_EQ((std::vector { read(0x13), write(0x03, 1), read(0x04) }), std::vector(3, -1));
            // Told once, but each failure's reason reaches the caller: the last one's, naming its register.
            EXPECT_EQ(lastFailure(), std::regex_replace(why, std::regex("register 0x13"), "register 0x04"));
            EXPECT_EQ(lastFailure(), "");
            adapter.failures.clear();
            EXPECT_EQ(read(0x13), 0xA5);
            lines.push_back(why);
        }
        EXPECT_EQ(GetCapturedStderr(), told(lines));
        // A combined transfer that the kernel reports as only partly done is a failed read.
        adapter.messagesCompleted = 1;
        EXPECT_EQ(read(0x13) < 0, functions == I2C_FUNC_I2C);
    }
}

TEST_F(I2cDevBackendTest, UnusableBusGivesTheInitErrorAndOneLineSayingWhy)
{
    const std::string both = "(i2c-3 \"" + kBridge + "\", i2c-5 \"" + kBridge + "\" on USB port 1-1.3)";
    const std::string several = "several buses match " + both
        + "; name one by its bridge's serial number with --adapter=serial:SERIAL, or with --adapter=i2c-N (see "
          "--list-adapters)";
    const struct {
        Adapter adapter;
        std::string why;
        std::string bus = "i2c-3";
        bool i2cDev = true;
    } cases[] = {
        { { .name = kBridge }, "no such bus (load the i2c-dev module: sudo modprobe i2c-dev)", "i2c-3", false },
        { { .name = kBridge }, "no such bus (see --list-adapters)", "i2c-9" },
        { { .name = kBridge }, "no such bus (see --list-adapters)", "i2c:CP2112" },
        // The same name twice is two boards, whether the name is given whole or in part.
        { { .name = kBridge }, several, "i2c:" + kBridge },
        { { .name = kBridge }, several, "i2c:USB" },
        // Stock bridges may share a serial number, which then names neither.
        { { .name = kBridge, .parent = behindHub(2), .serial = "KV-SN-0000" },
            "several bridges carry this serial number (i2c-3 \"" + kBridge + "\" on USB port 1-1.2, i2c-5 \"" + kBridge
                + "\" on USB port 1-1.3); name the bus with --adapter=i2c-N",
            "serial:KV-SN-0000" },
        { { .name = kBridge }, "no such bus (see --list-adapters)", "serial:KV-SN-000A" },
        { { .name = kBridge, .failures = { { "open", EACCES } } },
            "permission denied on {dev}/i2c-3 (the example udev rule opens it: see man kv3124-eval)" },
        { { .name = kBridge, .failures = { { "open", ENXIO } } },
            "no adapter behind {dev}/i2c-3 (see --list-adapters)" },
        // Every other reason an open can give.
        { { .name = kBridge, .failures = { { "open", EPERM } } },
            "permission denied on {dev}/i2c-3 (the example udev rule opens it: see man kv3124-eval)" },
        { { .name = kBridge, .failures = { { "open", ENODEV } } },
            "no adapter behind {dev}/i2c-3 (see --list-adapters)" },
        { { .name = kBridge, .failures = { { "open", ENOENT } } }, "no such bus (see --list-adapters)" },
        { { .name = kBridge, .failures = { { "open", EMFILE } } }, "opening {dev}/i2c-3: Too many open files" },
        { { .name = kBridge, .failures = { { "SLAVE", EBUSY } } },
            "a kernel driver already owns address 0x2C on this bus" },
        { { .name = kBridge, .failures = { { "SMBUS", ENXIO } } }, "no device answers at 0x2C" },
        // A USB bridge plugged in long ago that times out has a stuck bus; one that says EIO no chip.
        { { .name = kBridge, .parent = behindHub(2), .failures = { { "SMBUS", ETIMEDOUT } } },
            "the bus timed out talking to 0x2C (a device may be holding it: power-cycle the board)" },
        { { .name = kBridge, .parent = behindHub(2), .failures = { { "SMBUS", EIO } } }, "no device answers at 0x2C" },
        // The name is the device's own, and reaches the terminal without its control bytes.
        { { .name = "odd\x1B[2J bridge", .functions = I2C_FUNC_SMBUS_QUICK | I2C_FUNC_SMBUS_READ_BYTE_DATA },
            "adapter \"odd?[2J bridge\" offers neither plain I2C nor SMBus byte-data transfers, so it cannot reach the "
            "chip" },
    };
    for (const auto& [adapter, why, bus, i2cDev] : cases) {
        SCOPED_TRACE(why);
        kernel = std::make_shared<FakeKernelBus>(i2cDev);
        kernel->plug(3, adapter);
        kernel->plug(5, { .name = kBridge, .parent = behindHub(3), .serial = "KV-SN-0000" });
        CaptureStderr();
        EXPECT_LT(start(bus), 0);
        EXPECT_EQ(GetCapturedStderr(), told({ bus + ": " + why }));
        // Only the named bus is opened, and a node that cannot serve is not held open.
        EXPECT_EQ(kernel->callsWith("open"), bus == "i2c-3" && i2cDev ? 1 : 0);
        EXPECT_EQ(kernel->openNodes(), adapter.failures.contains("SMBUS") ? 1 : 0);
    }
}

TEST_F(I2cDevBackendTest, SessionResumesOnlyWhenItsOwnBridgeComesBack)
{
    const struct {
        std::string home, twin, elsewhere; // the parents of our bridge, an identical one, and ours again elsewhere
        int backAs;
        std::string bridge;
    } cases[] = {
        // Back on its USB port it is ours, under a new number and HID instance; on another port it cannot be
        // told from a second board.
        { behindHub(2), behindHub(3), behindHub(4), 6, "adapter \"" + kBridge + "\" on USB port 1-1.2" },
        { "pci0000:00/0000:00:1f.4", "pci0000:00/0000:00:1f.5", "pci0000:00/0000:00:1f.6", 6,
            "adapter \"" + kBridge + "\" at {sys}/devices/pci0000:00/0000:00:1f.4" },
        // Without a parent device (as i2c-stub), only its bus number tells the adapter.
        { "", "", "", 3, "adapter \"" + kBridge + "\"" },
    };
    for (const auto& [home, twin, elsewhere, backAs, bridge] : cases) {
        SCOPED_TRACE(bridge);
        kernel = std::make_shared<FakeKernelBus>();
        const std::string label = "i2c-" + std::to_string(backAs);
        kernel->plug(3, { .name = kBridge, .parent = home }).registers[0x14] = 0x5A;
        kernel->plug(4, { .name = kBridge, .parent = twin });
        ASSERT_EQ(start("i2c-3"), 0);

        // Nobody touches the window, and still the node is closed within a second: until then the kernel
        // cannot finish removing the adapter.
        CaptureStderr();
        Adapter ours = kernel->unplug(3);
        for (int waited = 0; kernel->openNodes() > 0 && waited < 1000; waited += 10)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(kernel->openNodes(), 0);
        kernel->calls.clear();

        // Neither the identical board, nor another adapter taking the old number, nor ours elsewhere is taken.
        kernel->plug(3, { .name = "CP2112 SMBus Bridge on hidraw1", .parent = home });
        ours.parent = elsewhere;
        kernel->plug(5, ours);
        EXPECT_EQ((std::vector { read(0x14), write(0x14, 0x07) }), (std::vector { -1, -1 }));
        kernel->unplug(3);
        ours = kernel->unplug(5);
        ours.parent = home;
        kernel->plug(backAs, ours);
        EXPECT_EQ((std::vector { read(0x14), write(0x14, 0x07) }), (std::vector { 0x5A, 0 }));
        EXPECT_EQ(kernel->calls,
            (Log { label + " open", label + " FUNCS", label + " SLAVE 2C", label + " SMBUS 2C read 14 -> 5A",
                label + " SMBUS 2C write 14 07" }));

        // Some bridges fail with EIO rather than ENODEV once gone: with the node vanished, that is an unplug too.
        // With the node still there, a USB bridge's ENODEV is one at once (its driver says ENXIO, EREMOTEIO or EIO
        // for a missing acknowledge), though I2C_FUNCS still works; any other adapter's only when it no longer
        // answers I2C_FUNCS either. The node is closed at once, for the kernel to finish the removal.
        ours = kernel->unplug(backAs, EIO);
        EXPECT_LT(read(0x14), 0);
        auto& again = kernel->plug(backAs, ours);
        EXPECT_EQ(read(0x14), 0x07);
        again.failures = { { "SMBUS", ENODEV } };
        if (home.find("/usb1/") == std::string::npos)
            again.failures["FUNCS"] = ENODEV;
        EXPECT_LT(read(0x14), 0);
        EXPECT_EQ(kernel->openNodes(), 0);
        again.failures.clear();
        EXPECT_EQ(read(0x14), 0x07);
        const auto gone
            = [&](const std::string& bus) { return bus + ": " + bridge + " is gone; waiting for it to come back"; };
        const std::string isBack = bridge + " is back as " + label;
        EXPECT_EQ(GetCapturedStderr(), told({ gone("i2c-3"), isBack, gone(label), isBack, gone(label), isBack }));
    }
}

// kv3124ctl's --wait: a call that finds the bridge gone waits that long for it, then goes on or fails.
TEST_F(I2cDevBackendTest, ACallWaitsForItsBridgeOnlyAsLongAsAsked)
{
    const std::string bridge = "i2c-3: adapter \"" + kBridge + "\" on USB port 1-1.2";
    const struct {
        int seconds;
        bool comesBack;
        Log told;
        bool starting = false; // back as a bridge plugged in a moment ago, whose first transfers time out
    } cases[] = {
        { 0, true, { bridge + " is gone" } },
        { 30, true,
            { bridge + " is gone; waiting up to 30 s for it to come back",
                "adapter \"" + kBridge + "\" on USB port 1-1.2 is back as i2c-4" } },
        { 30, true,
            { bridge + " is gone; waiting up to 30 s for it to come back",
                "adapter \"" + kBridge + "\" on USB port 1-1.2 is back as i2c-4" },
            true },
        { 1, false,
            { bridge + " is gone; waiting up to 1 s for it to come back", bridge + " did not come back within 1 s" } },
    };
    for (const auto& [seconds, comesBack, lines, starting] : cases) {
        SCOPED_TRACE(seconds);
        kernel = std::make_shared<FakeKernelBus>();
        kernel->plug(3, { .name = kBridge, .parent = behindHub(2) }).registers[0x14] = 0x5A;
        ASSERT_EQ(start("i2c-3"), 0);
        backend->waitForReturn(std::chrono::seconds(seconds));
        Adapter ours = kernel->unplug(3);
        if (starting) {
            ours.pluggedInMs = 2000;
            ours.failures = { { "SMBUS", ETIMEDOUT } };
            ours.failuresLeft = 2;
        }
        // Back under a new number once the call has let go of the old node, as the kernel needs.
        std::jthread replug([&](std::stop_token stop) {
            while (kernel->openNodes() > 0 && !stop.stop_requested())
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            if (comesBack && !stop.stop_requested())
                kernel->plug(4, ours);
        });
        CaptureStderr();
        EXPECT_EQ(read(0x14), seconds > 0 && comesBack ? 0x5A : -1);
        replug.request_stop();
        replug.join();
        EXPECT_EQ(GetCapturedStderr(), told(lines));
    }
}

// After an unplug, what is plugged in at each step (as i2c-3, i2c-4, ...) and which of those the session takes.
TEST_F(I2cDevBackendTest, SerialNumbersKeepTheSessionOnItsOwnBoard)
{
    const auto cp2112 = [](int hidraw, int port, std::string serial) {
        return Adapter { .name = "CP2112 SMBus Bridge on hidraw" + std::to_string(hidraw),
            .parent = behindHub(port),
            .serial = std::move(serial) };
    };
    struct Step {
        std::vector<Adapter> plugged;
        int takes; // index into `plugged`, or -1
    };
    const struct {
        std::string word;
        std::vector<Step> steps;
    } cases[] = {
        // By bus or name: its own port only, and there only its own serial number, whatever hidraw number it gets.
        { "i2c-3",
            { { { cp2112(1, 2, "KV-SN-000B") }, -1 }, { { cp2112(1, 4, "KV-SN-000A") }, -1 },
                { { cp2112(1, 2, "") }, -1 }, { { cp2112(4, 4, "KV-SN-000B"), cp2112(7, 2, "KV-SN-000A") }, 1 } } },
        { "i2c:CP2112",
            { { { Adapter { .name = kBridge, .parent = behindHub(2), .serial = "KV-SN-000A" } }, -1 },
                { { cp2112(2, 2, "KV-SN-000A") }, 0 } } },
        // By serial number: on any port, but not while another bridge carries the same number.
        { "serial:KV-SN-000A",
            { { { cp2112(1, 2, "KV-SN-000B") }, -1 },
                { { cp2112(1, 4, "KV-SN-000A"), cp2112(2, 5, "KV-SN-000A") }, -1 },
                { { cp2112(1, 2, "KV-SN-000B"), cp2112(2, 5, "KV-SN-000A") }, 1 } } },
    };
    for (const auto& [word, steps] : cases) {
        SCOPED_TRACE(word);
        kernel = std::make_shared<FakeKernelBus>();
        kernel->plug(3, cp2112(0, 2, "KV-SN-000A"));
        ASSERT_EQ(start(word), 0);
        CaptureStderr();
        int plugged = 1;
        for (const auto& [adapters, takes] : steps) {
            for (int bus = 3; bus < 3 + plugged; ++bus)
                kernel->unplug(bus);
            EXPECT_LT(read(0x14), 0); // which closes a node left open
            plugged = static_cast<int>(adapters.size());
            for (int i = 0; i < plugged; ++i)
                kernel->plug(3 + i, adapters[i]);
            kernel->calls.clear();
            EXPECT_EQ(read(0x14) >= 0, takes >= 0);
            EXPECT_EQ(kernel->callsWith("i2c-" + std::to_string(3 + takes) + " SMBUS"), takes >= 0 ? 1 : 0);
        }
        GetCapturedStderr();
    }
}

TEST_F(I2cDevBackendTest, BusesAreListedAndChosenByNumberOrAdapterNameWithoutOpeningAny)
{
    kernel->plug(0, { .name = "SMBus I801 adapter at efa0", .parent = "pci0000:00/0000:00:1f.4" });
    kernel->plug(3, { .name = kBridge, .parent = behindHub(2) });
    kernel->plug(4, { .name = "i2c-tiny-usb at bus 001 device 005" });
    kernel->plug(6, { .name = "MCP2221" });
    kernel->plug(8, { .name = "CH341\x1B]0;title\x07" });
    kernel->plug(9, { .name = "CP2112 SMBus Bridge on hidraw0", .parent = behindHub(3), .serial = "KV-SN-\x1B[2J" });
    // A whole name beats a part of one; case does not matter. A USB bridge's serial number is its own, any
    // other adapter's is its name. The serial number is cut to its buffer.
    char buffer[12];
    for (const auto& [name, serial] : { std::pair { "i2c-4", "i2c-tiny-us" }, { "i2c:MCP2221", "MCP2221" },
             { "i2c:TINY", "i2c-tiny-us" }, { "i2c:usb-i2c", "MCP2221 usb" }, { "i2c:CP2112", "KV-SN-\x1B[2J" },
             { "serial:KV-SN-\x1B[2J", "KV-SN-\x1B[2J" } }) {
        backend = createBackend(name, kernel);
        ASSERT_EQ(backend->findControllers(), 1) << name;
        EXPECT_EQ(backend->getSerialNumber(0, buffer, sizeof buffer), 0);
        EXPECT_STREQ(buffer, serial);
    }
    EXPECT_TRUE(kernel->calls.empty());
    for (const char* bad :
        { "sim", "none", "i2c-", "i2c-x", "i2c-1a", "i2c--1", "i2c:", "I2C-1", "/dev/i2c-1", "serial:", "SERIAL:1" })
        EXPECT_EQ(createBackend(bad, kernel), nullptr) << bad;

    std::filesystem::remove(kernel->devRoot() / "i2c-6");
    // A node without sysfs, as in a container that does not mount /sys.
    std::ofstream(kernel->devRoot() / "i2c-7");
    EXPECT_EQ(describeBuses(kernel->sysRoot(), kernel->devRoot()),
        "i2c-0\tSMBus I801 adapter at efa0\ni2c-3\t" + kBridge + "\tUSB port 1-1.2\ni2c-4\t"
            + "i2c-tiny-usb at bus 001 device 005\ni2c-6\tMCP2221\t(no " + kernel->devRoot().string()
            + "/i2c-6)\ni2c-7\t(adapter name unknown)\ni2c-8\tCH341?]0;title?\ni2c-9\tCP2112 SMBus Bridge on "
            + "hidraw0\tUSB port 1-1.3\tserial KV-SN-?[2J\n");
    // Without i2c-dev no bus has a node, and loading it is the cure.
    kernel = std::make_shared<FakeKernelBus>(false);
    EXPECT_EQ(describeBuses(kernel->sysRoot(), kernel->devRoot()),
        "no I2C buses found (is a USB-to-I2C bridge plugged in?)\n");
    kernel->plug(3, { .name = kBridge });
    EXPECT_EQ(describeBuses(kernel->sysRoot(), kernel->devRoot()),
        "i2c-3\t" + kBridge + "\t(no " + kernel->devRoot().string()
            + "/i2c-3: load the i2c-dev module: sudo modprobe i2c-dev)\n");
}

// Transfers on one thread while the bridge is unplugged and plugged back, and the node check runs on its own
// thread, closing the node itself in the rounds where no transfer runs at the unplug: every read gives the chip's
// byte or fails, each unplug is one episode, and the node is always closed for the kernel. Rounds outlast the
// node check's interval so that it runs beside the transfers, for the ThreadSanitizer run.
TEST_F(I2cDevBackendTest, UnplugsWhileTransfersRun)
{
    kernel->plug(3, { .name = kBridge, .parent = behindHub(2) }).registers[0x14] = 0x5A;
    ASSERT_EQ(start("i2c-3"), 0);
    CaptureStderr();
    std::atomic<bool> done = false, paused = false;
    std::atomic<int> good = 0, wrong = 0;
    std::thread reader([&] {
        while (!done) {
            if (paused) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            const int value = read(0x14);
            if (value == 0x5A)
                ++good;
            else if (value >= 0)
                ++wrong;
        }
    });
    const auto readsAgain = [&] {
        const int before = good;
        for (int waited = 0; good == before && waited < 2000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return good > before;
    };
    constexpr int rounds = 5;
    for (int round = 0; round < rounds; ++round) {
        ASSERT_TRUE(readsAgain());
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        paused = round % 2 == 1;
        Adapter ours = kernel->unplug(3);
        for (int waited = 0; kernel->openNodes() > 0 && waited < 2000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        ASSERT_EQ(kernel->openNodes(), 0);
        kernel->plug(3, ours);
        paused = false;
    }
    EXPECT_TRUE(readsAgain());
    done = true;
    reader.join();
    EXPECT_EQ(wrong, 0);
    Log episodes;
    for (int round = 0; round < rounds; ++round)
        episodes.insert(episodes.end(),
            { "i2c-3: adapter \"" + kBridge + "\" on USB port 1-1.2 is gone; waiting for it to come back",
                "adapter \"" + kBridge + "\" on USB port 1-1.2 is back as i2c-3" });
    EXPECT_EQ(GetCapturedStderr(), told(episodes));
}

} // namespace
} // namespace ptx::i2cdev
