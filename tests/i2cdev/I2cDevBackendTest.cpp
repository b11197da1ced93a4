#include "FakeKernelBus.h"

#include "ptx/i2cdev/BusListing.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <functional>

namespace ptx::i2cdev {

// Readable failures for the kernel's log (found by argument lookup, so outside the anonymous namespace).
void PrintTo(const FakeKernelBus::Message& m, std::ostream* out)
{
    *out << ::testing::PrintToString(std::tuple(m.address, m.flags, m.bytes));
}
void PrintTo(const FakeKernelBus::Call& c, std::ostream* out)
{
    *out << ::testing::PrintToString(
        std::tuple(c.bus, c.request, c.value, c.clientAddress, c.readWrite, c.command, c.size, c.byte, c.messages));
}

namespace {

using Call = FakeKernelBus::Call;
using Message = FakeKernelBus::Message;
constexpr int kChip = FakeKernelBus::kChipAddress;
const std::string kBridge = "MCP2221 usb-i2c bridge";

// What standard error received while `action` ran.
std::string stderrOf(const std::function<void()>& action)
{
    ::testing::internal::CaptureStderr();
    action();
    return ::testing::internal::GetCapturedStderr();
}

std::string line(const std::string& text)
{
    return std::string(program_invocation_short_name) + ": " + text + "\n";
}

// The adapter connection's start-up calls in its order. A negative firmware result is what
// puts "USB Initialization Error" in the window.
struct Start {
    int found = 0;
    std::string serial;
    int handle = 0;
    int firmware = -1;
    std::array<unsigned char, 8> record {};
};

Start start(Backend& backend)
{
    Start result;
    result.found = backend.findControllers();
    char serial[80] = {};
    if (result.found && backend.getSerialNumber(0, serial, sizeof serial) >= 0) {
        result.serial = serial;
        result.handle = backend.open(serial);
    }
    result.firmware = backend.firmwareVersionRead(result.handle, result.record.data(), 5);
    return result;
}

class I2cDevBackendTest : public ::testing::Test {
protected:
    // The kernel driver that owns an address keeps it.
    void TearDown() override { EXPECT_TRUE(kernel->callsOf(I2C_SLAVE_FORCE).empty()); }

    std::unique_ptr<Backend> backendFor(std::string_view name)
    {
        auto made = createBackend(name, kernel);
        EXPECT_NE(made, nullptr) << name;
        return made;
    }
    // Starts a session on bus `name` that must succeed.
    void begin(std::string_view name)
    {
        backend = backendFor(name);
        started = start(*backend);
        ASSERT_EQ(started.firmware, 0);
    }
    int read(int reg) { return backend->registerRead(started.handle, kChip, reg); }
    int write(int reg, int value) { return backend->registerWrite(started.handle, kChip, reg, value); }

    std::shared_ptr<FakeKernelBus> kernel = std::make_shared<FakeKernelBus>();
    std::unique_ptr<Backend> backend;
    Start started;
};

// A byte-data transfer with the chip on bus 3, in the order of Call's fields.
Call smbus(int readWrite, int command, int byte)
{
    return { 3, I2C_SMBUS, 0, kChip, readWrite, command, I2C_SMBUS_BYTE_DATA, byte };
}

TEST_F(I2cDevBackendTest, SmbusAdapterUsesByteDataTransfersOnTheNamedBusOnly)
{
    kernel->plug(0, { .name = "SMBus I801 adapter at efa0" });
    // Byte-data transfers are preferred where the adapter offers plain I2C as well.
    auto& adapter
        = kernel->plug(3, { .name = kBridge, .functions = FakeKernelBus::kPlainI2c | FakeKernelBus::kSmbusOnly });
    adapter.registers[0x14] = 0x5A;
    begin("i2c-3");
    EXPECT_EQ(started.found, 1);
    EXPECT_EQ(started.serial, kBridge);
    EXPECT_GT(started.handle, 0);
    EXPECT_EQ(started.record, (std::array<unsigned char, 8> { 1, 0, 1, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(kernel->openAttempts(), std::vector { kernel->devRoot() / "i2c-3" });

    EXPECT_EQ(read(0x14), 0x5A);
    EXPECT_EQ(write(0x14, 0xA5), 0);
    EXPECT_EQ(adapter.registers[0x14], 0xA5);
    // Start-up asks what the adapter can do, claims the chip's address and reads once to see that it answers.
    EXPECT_EQ(kernel->calls(),
        (std::vector<Call> { { .bus = 3, .request = I2C_FUNCS }, { .bus = 3, .request = I2C_SLAVE, .value = kChip },
            smbus(I2C_SMBUS_READ, 0x00, 0), smbus(I2C_SMBUS_READ, 0x14, 0x5A), smbus(I2C_SMBUS_WRITE, 0x14, 0xA5) }));

    // Nothing to configure on a kernel bus, but only the open handle is accepted.
    EXPECT_EQ(backend->i2cControl(started.handle, 0, 0, 1), 0);
    EXPECT_EQ(backend->gpioWriteControl(started.handle, { 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0 }), 0);
    EXPECT_EQ(backend->powerWriteControl(started.handle, 1, 0), 0);
    EXPECT_LT(backend->powerWriteControl(started.handle + 1, 1, 0), 0);
    EXPECT_LT(backend->registerRead(0, kChip, 0x14), 0);
    EXPECT_EQ(kernel->calls().size(), 5u);
}

TEST_F(I2cDevBackendTest, PlainI2cAdapterUsesOneCombinedTransferPerAccess)
{
    auto& adapter = kernel->plug(3, { .name = kBridge, .functions = FakeKernelBus::kPlainI2c });
    begin("i2c-3");
    kernel->clearCalls();
    adapter.registers[0x14] = 0x5A;
    EXPECT_EQ(read(0x14), 0x5A);
    EXPECT_EQ(write(0x13, 0xA5), 0);
    EXPECT_EQ(adapter.registers[0x13], 0xA5);
    // A read writes the register address, then reads after a repeated start, in one ioctl; a write
    // is one two-byte message.
    const auto rdwr = [](std::vector<Message> messages) {
        return Call { .bus = 3, .request = I2C_RDWR, .messages = std::move(messages) };
    };
    EXPECT_EQ(kernel->calls(),
        (std::vector<Call> {
            rdwr({ { kChip, 0, { 0x14 } }, { kChip, I2C_M_RD, { 0x5A } } }), rdwr({ { kChip, 0, { 0x13, 0xA5 } } }) }));

    // A transfer the kernel reports as only partly done is a failed read.
    adapter.messagesCompleted = 1;
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(read(0x14), 0); }), line("i2c-3: no device answers at 0x2C"));
}

TEST_F(I2cDevBackendTest, EveryWayOfNotAcknowledgingIsAFailedReadReportedOncePerEpisode)
{
    auto& adapter = kernel->plug(3, { .name = kBridge });
    begin("i2c-3");
    adapter.registers[0x10] = 0x42;
    for (const int error : { ENXIO, EREMOTEIO, ETIMEDOUT, EIO }) {
        SCOPED_TRACE(error);
        adapter.transferErrors = { error, error };
        EXPECT_EQ(stderrOf([&] {
            EXPECT_LT(read(0x10), 0);
            EXPECT_LT(write(0x10, 0x01), 0);
        }),
            line("i2c-3: no device answers at 0x2C"));
        EXPECT_EQ(stderrOf([&] { EXPECT_EQ(read(0x10), 0x42); }), "");
    }
    EXPECT_EQ(adapter.registers[0x10], 0x42);
    EXPECT_EQ(kernel->openNodes(), 1);
}

TEST_F(I2cDevBackendTest, UnusableBusGivesTheInitErrorAndOneLineSayingWhy)
{
    const std::pair<FakeKernelBus::Adapter, std::string> cases[] = {
        { { .name = kBridge, .withNode = false }, "no such bus (load the i2c-dev module: sudo modprobe i2c-dev)" },
        { { .name = kBridge, .openError = EACCES },
            "permission denied on {dev}/i2c-3 (join the i2c group or add a udev rule for it)" },
        { { .name = kBridge, .driverAddresses = { kChip } }, "a kernel driver already owns address 0x2C on this bus" },
        { { .name = kBridge, .chipPresent = false }, "no device answers at 0x2C" },
        { { .name = "odd bridge", .functions = I2C_FUNC_SMBUS_QUICK | I2C_FUNC_SMBUS_READ_BYTE_DATA },
            "adapter \"odd bridge\" offers neither plain I2C nor SMBus byte-data transfers, so it cannot reach the "
            "chip" },
    };
    for (const auto& [adapter, why] : cases) {
        SCOPED_TRACE(why);
        kernel = std::make_shared<FakeKernelBus>();
        kernel->plug(3, adapter);
        backend = backendFor("i2c-3");
        std::string reason = "i2c-3: " + why;
        if (const auto at = reason.find("{dev}"); at != std::string::npos)
            reason.replace(at, 5, kernel->devRoot().string());

        EXPECT_EQ(stderrOf([&] { started = start(*backend); }), line(reason));
        EXPECT_LT(started.firmware, 0);
        EXPECT_LT(read(0x00), 0);
        EXPECT_TRUE(kernel->callsOf(I2C_SLAVE_FORCE).empty());
        // A node that cannot serve is not held open; without a node nothing is opened at all.
        EXPECT_EQ(kernel->openNodes(), adapter.chipPresent ? 0 : 1);
        EXPECT_EQ(kernel->openAttempts().empty(), !adapter.withNode);
    }
}

TEST_F(I2cDevBackendTest, UnplugClosesTheNodeAndReplugUnderANewNumberResumesTheSession)
{
    auto& adapter = kernel->plug(3, { .name = kBridge });
    adapter.registers[0x14] = 0x5A;
    begin("i2c-3");
    const std::string gone = "adapter \"" + kBridge + "\" is gone; waiting for it to come back";

    kernel->unplug(3);
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(read(0x14), 0); }), line("i2c-3: " + gone));
    EXPECT_EQ(kernel->openNodes(), 0);

    // Another adapter taking the old number is not ours and is never opened.
    kernel->plug(3, { .name = "CP2112 SMBus Bridge on hidraw1" });
    const auto attempts = kernel->openAttempts().size();
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(write(0x14, 0x01), 0); }), "");
    EXPECT_EQ(kernel->openAttempts().size(), attempts);

    auto& back = kernel->replug(5);
    kernel->clearCalls();
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(read(0x14), 0x5A); }), line("adapter \"" + kBridge + "\" is back as i2c-5"));
    EXPECT_EQ(kernel->openAttempts().back(), kernel->devRoot() / "i2c-5");
    EXPECT_EQ(write(0x14, 0x07), 0);
    EXPECT_EQ(back.registers[0x14], 0x07);
    const auto claims = kernel->callsOf(I2C_SLAVE);
    ASSERT_EQ(claims.size(), 1u);
    EXPECT_EQ(std::pair(claims[0].bus, claims[0].value), std::pair(5, (unsigned long)kChip));
    for (const auto& call : kernel->calls())
        EXPECT_EQ(call.bus, 5);

    // Some bridges fail with EIO rather than ENODEV once they are gone: with the node vanished, that is an unplug too.
    kernel->unplug(5, EIO);
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(read(0x14), 0); }), line("i2c-5: " + gone));
    EXPECT_EQ(kernel->openNodes(), 0);
    kernel->replug(5);
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(read(0x14), 0x07); }), line("adapter \"" + kBridge + "\" is back as i2c-5"));
}

TEST_F(I2cDevBackendTest, BusIsChosenByNumberOrByAdapterNameWithoutOpeningAnyBus)
{
    kernel->plug(0, { .name = "SMBus I801 adapter at efa0" });
    kernel->plug(3, { .name = kBridge });
    kernel->plug(4, { .name = "i2c-tiny-usb at bus 001 device 005" });
    kernel->plug(6, { .name = "MCP2221" });

    const auto serialOf = [&](std::string_view name) {
        auto chosen = backendFor(name);
        char serial[80] = {};
        std::string errors = stderrOf([&] {
            if (chosen->findControllers() == 1) {
                EXPECT_EQ(chosen->getSerialNumber(0, serial, sizeof serial), 0);
            }
        });
        return errors.empty() ? std::string(serial) : errors;
    };
    EXPECT_EQ(serialOf("i2c-4"), "i2c-tiny-usb at bus 001 device 005");
    EXPECT_EQ(serialOf("i2c:MCP2221"), "MCP2221");
    EXPECT_EQ(serialOf("i2c:usb-i2c"), kBridge);
    EXPECT_EQ(serialOf("i2c:TINY"), "i2c-tiny-usb at bus 001 device 005");
    EXPECT_EQ(serialOf("i2c:usb"),
        line("i2c:usb: several buses match (i2c-3 \"" + kBridge
            + "\", i2c-4 \"i2c-tiny-usb at bus 001 device 005\"); name one with --adapter=i2c-N"));
    EXPECT_EQ(serialOf("i2c:CP2112"), line("i2c:CP2112: no such bus (load the i2c-dev module: sudo modprobe i2c-dev)"));
    EXPECT_EQ(serialOf("i2c-9"), line("i2c-9: no such bus (load the i2c-dev module: sudo modprobe i2c-dev)"));
    EXPECT_TRUE(kernel->openAttempts().empty());

    // The serial number is cut to the buffer it goes to.
    backend = backendFor("i2c-3");
    ASSERT_EQ(backend->findControllers(), 1);
    char shortBuffer[8];
    EXPECT_EQ(backend->getSerialNumber(0, shortBuffer, sizeof shortBuffer), 0);
    EXPECT_STREQ(shortBuffer, "MCP2221");
    EXPECT_GT(backend->open(shortBuffer), 0);
    EXPECT_LT(backend->getSerialNumber(1, shortBuffer, sizeof shortBuffer), 0);

    for (const char* bad : { "sim", "none", "i2c-", "i2c-x", "i2c-1a", "i2c--1", "i2c:", "I2C-1", "/dev/i2c-1" })
        EXPECT_EQ(createBackend(bad, kernel), nullptr) << bad;
}

TEST(BusListing, NamesEveryBusFromSysfsAndHintsAtMissingNodes)
{
    FakeKernelBus kernel;
    EXPECT_EQ(
        describeBuses(kernel.sysRoot(), kernel.devRoot()), "no I2C buses found (is a USB-to-I2C bridge plugged in?)\n");

    kernel.plug(12, { .name = "MCP2221 usb-i2c bridge" });
    kernel.plug(0, { .name = "SMBus I801 adapter at efa0" });
    kernel.plug(3, { .name = "CP2112 SMBus Bridge on hidraw1", .withNode = false });
    kernel.plug(4, { .name = "i2c-tiny-usb at bus 001 device 005" });
    kernel.unplug(4);
    // A node without sysfs, as in a container that does not mount /sys.
    std::ofstream(kernel.devRoot() / "i2c-7");

    EXPECT_EQ(describeBuses(kernel.sysRoot(), kernel.devRoot()),
        "i2c-0\tSMBus I801 adapter at efa0\n"
        "i2c-3\tCP2112 SMBus Bridge on hidraw1\t(no "
            + kernel.devRoot().string()
            + "/i2c-3: load the i2c-dev module: sudo modprobe i2c-dev)\n"
              "i2c-7\t(adapter name unknown)\n"
              "i2c-12\tMCP2221 usb-i2c bridge\n");
    // Listing is sysfs and directory reading only.
    EXPECT_TRUE(kernel.openAttempts().empty());
}

} // namespace
} // namespace ptx::i2cdev
