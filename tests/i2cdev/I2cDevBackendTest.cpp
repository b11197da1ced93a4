#include "FakeKernelBus.h"

#include "ptx/i2cdev/I2cDevBackend.h"
#include "ptx/ptx.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace ptx::i2cdev {
namespace {

using Request = unsigned long; // the ioctl's request and value words
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
    void TearDown() override
    {
        // The kernel driver that owns an address keeps it.
        EXPECT_TRUE(kernel->callsOf(I2C_SLAVE_FORCE).empty());
    }

    std::unique_ptr<Backend> backendFor(std::string_view name)
    {
        auto backend = createBackend(name, kernel);
        EXPECT_NE(backend, nullptr) << name;
        return backend;
    }

    std::shared_ptr<FakeKernelBus> kernel = std::make_shared<FakeKernelBus>();
};

TEST_F(I2cDevBackendTest, SmbusAdapterUsesByteDataTransfersOnTheNamedBusOnly)
{
    kernel->plug(0, { .name = "SMBus I801 adapter at efa0" });
    // Byte-data transfers are preferred where the adapter offers plain I2C as well.
    auto& adapter
        = kernel->plug(3, { .name = kBridge, .functions = FakeKernelBus::kPlainI2c | FakeKernelBus::kSmbusOnly });
    auto backend = backendFor("i2c-3");

    const Start started = start(*backend);
    EXPECT_EQ(started.found, 1);
    EXPECT_EQ(started.serial, kBridge);
    EXPECT_GT(started.handle, 0);
    EXPECT_EQ(started.firmware, 0);
    EXPECT_EQ(started.record, (std::array<unsigned char, 8> { 1, 0, 1, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(kernel->openAttempts(), std::vector { kernel->devRoot() / "i2c-3" });

    // Start-up: what the adapter can do, the chip's address claimed, one read to see that it answers.
    const auto& calls = kernel->calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].request, Request { I2C_FUNCS });
    EXPECT_EQ(calls[1].request, Request { I2C_SLAVE });
    EXPECT_EQ(calls[1].value, Request { kChip });
    EXPECT_EQ(calls[2].request, Request { I2C_SMBUS });
    EXPECT_EQ(calls[2].command, 0x00);

    kernel->clearCalls();
    adapter.registers[0x14] = 0x5A;
    EXPECT_EQ(backend->registerRead(started.handle, kChip, 0x14), 0x5A);
    EXPECT_EQ(backend->registerWrite(started.handle, kChip, 0x14, 0xA5), 0);
    EXPECT_EQ(adapter.registers[0x14], 0xA5);

    ASSERT_EQ(calls.size(), 2u);
    for (const auto& call : calls) {
        EXPECT_EQ(call.request, Request { I2C_SMBUS });
        EXPECT_EQ(call.bus, 3);
        EXPECT_EQ(call.clientAddress, kChip);
        EXPECT_EQ(call.command, 0x14);
        EXPECT_EQ(call.size, std::uint32_t { I2C_SMBUS_BYTE_DATA });
    }
    EXPECT_EQ(calls[0].readWrite, I2C_SMBUS_READ);
    EXPECT_EQ(calls[0].byte, 0x5A);
    EXPECT_EQ(calls[1].readWrite, I2C_SMBUS_WRITE);
    EXPECT_EQ(calls[1].byte, 0xA5);

    // Nothing to configure on a kernel bus, but only the open handle is accepted.
    EXPECT_EQ(backend->i2cControl(started.handle, 0, 0, 1), 0);
    EXPECT_EQ(backend->gpioWriteControl(started.handle, { 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0 }), 0);
    EXPECT_EQ(backend->powerWriteControl(started.handle, 1, 0), 0);
    const int other = started.handle + 1;
    EXPECT_LT(backend->i2cControl(other, 0, 0, 1), 0);
    EXPECT_LT(backend->gpioWriteControl(other, {}), 0);
    EXPECT_LT(backend->powerWriteControl(other, 1, 0), 0);
    EXPECT_LT(backend->firmwareVersionRead(other, std::array<unsigned char, 8> {}.data(), 5), 0);
    EXPECT_LT(backend->registerRead(0, kChip, 0x14), 0);
    EXPECT_LT(backend->registerWrite(0, kChip, 0x14, 0x00), 0);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(I2cDevBackendTest, PlainI2cAdapterUsesOneCombinedTransferPerAccess)
{
    auto& adapter = kernel->plug(3, { .name = kBridge, .functions = FakeKernelBus::kPlainI2c });
    auto backend = backendFor("i2c-3");
    const Start started = start(*backend);
    ASSERT_EQ(started.firmware, 0);
    kernel->clearCalls();

    adapter.registers[0x14] = 0x5A;
    EXPECT_EQ(backend->registerRead(started.handle, kChip, 0x14), 0x5A);
    EXPECT_EQ(backend->registerWrite(started.handle, kChip, 0x13, 0xA5), 0);
    EXPECT_EQ(adapter.registers[0x13], 0xA5);

    // A write of the register address, then a read after a repeated start, in one ioctl.
    const auto& calls = kernel->calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].request, Request { I2C_RDWR });
    ASSERT_EQ(calls[0].messages.size(), 2u);
    EXPECT_EQ(calls[0].messages[0].address, kChip);
    EXPECT_EQ(calls[0].messages[0].flags, 0);
    EXPECT_EQ(calls[0].messages[0].bytes, std::vector<std::uint8_t> { 0x14 });
    EXPECT_EQ(calls[0].messages[1].address, kChip);
    EXPECT_EQ(calls[0].messages[1].flags, I2C_M_RD);
    EXPECT_EQ(calls[0].messages[1].bytes, std::vector<std::uint8_t> { 0x5A });
    // A write is one two-byte message.
    EXPECT_EQ(calls[1].request, Request { I2C_RDWR });
    ASSERT_EQ(calls[1].messages.size(), 1u);
    EXPECT_EQ(calls[1].messages[0].address, kChip);
    EXPECT_EQ(calls[1].messages[0].flags, 0);
    EXPECT_EQ(calls[1].messages[0].bytes, (std::vector<std::uint8_t> { 0x13, 0xA5 }));

    // A transfer the kernel reports as only partly done is a failed read.
    adapter.messagesCompleted = 1;
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(backend->registerRead(started.handle, kChip, 0x14), 0); }),
        line("i2c-3: no device answers at 0x2C"));
}

TEST_F(I2cDevBackendTest, AdapterThatCanReachNoRegisterIsRefused)
{
    kernel->plug(3, { .name = "odd bridge", .functions = I2C_FUNC_SMBUS_QUICK | I2C_FUNC_SMBUS_READ_BYTE_DATA });
    auto backend = backendFor("i2c-3");
    Start started;
    EXPECT_EQ(stderrOf([&] { started = start(*backend); }),
        line("i2c-3: adapter \"odd bridge\" offers neither plain I2C nor SMBus byte-data transfers, so it "
             "cannot reach the chip"));
    EXPECT_LT(started.handle, 0);
    EXPECT_LT(started.firmware, 0);
    EXPECT_EQ(kernel->openNodes(), 0);
    EXPECT_TRUE(kernel->callsOf(I2C_SMBUS).empty());
}

TEST_F(I2cDevBackendTest, EveryWayOfNotAcknowledgingIsAFailedReadReportedOncePerEpisode)
{
    auto& adapter = kernel->plug(3, { .name = kBridge });
    auto backend = backendFor("i2c-3");
    const Start started = start(*backend);
    ASSERT_EQ(started.firmware, 0);
    adapter.registers[0x10] = 0x42;

    for (const int error : { ENXIO, EREMOTEIO, ETIMEDOUT, EIO }) {
        adapter.transferErrors = { error, error };
        EXPECT_EQ(stderrOf([&] {
            EXPECT_LT(backend->registerRead(started.handle, kChip, 0x10), 0) << error;
            EXPECT_LT(backend->registerWrite(started.handle, kChip, 0x10, 0x01), 0) << error;
        }),
            line("i2c-3: no device answers at 0x2C"))
            << error;
        EXPECT_EQ(stderrOf([&] { EXPECT_EQ(backend->registerRead(started.handle, kChip, 0x10), 0x42); }), "");
    }
    EXPECT_EQ(adapter.registers[0x10], 0x42);
    EXPECT_EQ(kernel->openNodes(), 1);
}

TEST_F(I2cDevBackendTest, StartUpFailuresGiveTheInitErrorAndOneLineSayingWhy)
{
    struct Case {
        FakeKernelBus::Adapter adapter;
        std::string reason;
    };
    const std::vector<Case> cases {
        { { .name = kBridge, .withNode = false },
            "i2c-3: no such bus (load the i2c-dev module: sudo modprobe i2c-dev)" },
        { { .name = kBridge, .openError = EACCES },
            "i2c-3: permission denied on {dev}/i2c-3 (join the i2c group or add a udev rule for it)" },
        { { .name = kBridge, .driverAddresses = { kChip } },
            "i2c-3: a kernel driver already owns address 0x2C on this bus" },
        { { .name = kBridge, .chipPresent = false }, "i2c-3: no device answers at 0x2C" },
    };
    for (const Case& c : cases) {
        auto fake = std::make_shared<FakeKernelBus>();
        fake->plug(3, c.adapter);
        auto backend = createBackend("i2c-3", fake);
        Start started;
        std::string reason = c.reason;
        if (const auto at = reason.find("{dev}"); at != std::string::npos)
            reason.replace(at, 5, fake->devRoot().string());

        EXPECT_EQ(stderrOf([&] { started = start(*backend); }), line(reason));
        EXPECT_LT(started.firmware, 0) << reason;
        EXPECT_LT(backend->registerRead(started.handle, kChip, 0x00), 0) << reason;
        EXPECT_TRUE(fake->callsOf(I2C_SLAVE_FORCE).empty()) << reason;
        // A node that cannot serve is not held open.
        EXPECT_EQ(fake->openNodes(), c.adapter.chipPresent ? 0 : 1) << reason;
    }
    // Without a node nothing was opened at all.
    auto fake = std::make_shared<FakeKernelBus>();
    auto backend = createBackend("i2c-3", fake);
    stderrOf([&] { start(*backend); });
    EXPECT_TRUE(fake->openAttempts().empty());
}

TEST_F(I2cDevBackendTest, UnplugClosesTheNodeAndReplugUnderANewNumberResumesTheSession)
{
    auto& adapter = kernel->plug(3, { .name = kBridge });
    adapter.registers[0x14] = 0x5A;
    auto backend = backendFor("i2c-3");
    const Start started = start(*backend);
    ASSERT_EQ(started.firmware, 0);

    kernel->unplug(3);
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(backend->registerRead(started.handle, kChip, 0x14), 0); }),
        line("i2c-3: adapter \"" + kBridge + "\" is gone; waiting for it to come back"));
    EXPECT_EQ(kernel->openNodes(), 0);

    // Another adapter taking the old number is not ours and is never opened.
    kernel->plug(3, { .name = "CP2112 SMBus Bridge on hidraw1" });
    const auto attempts = kernel->openAttempts().size();
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(backend->registerWrite(started.handle, kChip, 0x14, 0x01), 0); }), "");
    EXPECT_EQ(kernel->openAttempts().size(), attempts);

    auto& back = kernel->replug(5);
    kernel->clearCalls();
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(backend->registerRead(started.handle, kChip, 0x14), 0x5A); }),
        line("adapter \"" + kBridge + "\" is back as i2c-5"));
    EXPECT_EQ(kernel->openAttempts().back(), kernel->devRoot() / "i2c-5");
    EXPECT_EQ(backend->registerWrite(started.handle, kChip, 0x14, 0x07), 0);
    EXPECT_EQ(back.registers[0x14], 0x07);
    const auto claims = kernel->callsOf(I2C_SLAVE);
    ASSERT_EQ(claims.size(), 1u);
    EXPECT_EQ(claims[0].bus, 5);
    EXPECT_EQ(claims[0].value, Request { kChip });
    for (const auto& call : kernel->calls())
        EXPECT_EQ(call.bus, 5);
}

TEST_F(I2cDevBackendTest, AnyFailureAfterTheNodeVanishedIsAnUnplug)
{
    kernel->plug(3, { .name = kBridge });
    auto backend = backendFor("i2c:MCP2221");
    const Start started = start(*backend);
    ASSERT_EQ(started.firmware, 0);

    // Some bridges fail with EIO rather than ENODEV once they are gone.
    kernel->unplug(3, EIO);
    EXPECT_EQ(stderrOf([&] { EXPECT_LT(backend->registerRead(started.handle, kChip, 0x00), 0); }),
        line("i2c-3: adapter \"" + kBridge + "\" is gone; waiting for it to come back"));
    EXPECT_EQ(kernel->openNodes(), 0);
    kernel->replug(3);
    EXPECT_EQ(stderrOf([&] { EXPECT_EQ(backend->registerRead(started.handle, kChip, 0x00), 0); }),
        line("adapter \"" + kBridge + "\" is back as i2c-3"));
}

TEST_F(I2cDevBackendTest, BusIsChosenByNumberOrByAdapterNameWithoutOpeningAnyBus)
{
    kernel->plug(0, { .name = "SMBus I801 adapter at efa0" });
    kernel->plug(3, { .name = kBridge });
    kernel->plug(4, { .name = "i2c-tiny-usb at bus 001 device 005" });
    kernel->plug(6, { .name = "MCP2221" });

    const auto serialOf = [&](std::string_view name) {
        auto backend = backendFor(name);
        char serial[80] = {};
        std::string errors = stderrOf([&] {
            if (backend->findControllers() == 1) {
                EXPECT_EQ(backend->getSerialNumber(0, serial, sizeof serial), 0);
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
    auto backend = backendFor("i2c-3");
    ASSERT_EQ(backend->findControllers(), 1);
    char shortBuffer[8];
    EXPECT_EQ(backend->getSerialNumber(0, shortBuffer, sizeof shortBuffer), 0);
    EXPECT_STREQ(shortBuffer, "MCP2221");
    EXPECT_GT(backend->open(shortBuffer), 0);
    EXPECT_LT(backend->getSerialNumber(1, shortBuffer, sizeof shortBuffer), 0);

    for (const char* bad : { "sim", "none", "i2c-", "i2c-x", "i2c-1a", "i2c--1", "i2c:", "I2C-1", "/dev/i2c-1" })
        EXPECT_EQ(createBackend(bad, kernel), nullptr) << bad;
}

TEST_F(I2cDevBackendTest, InstalledFakeBusServesTheLibraryCalls)
{
    auto& adapter = kernel->plug(2, { .name = kBridge });
    adapter.registers[0x14] = 0x3F;
    ASSERT_TRUE(installFakeBackend("i2c:MCP2221", kernel));
    EXPECT_FALSE(installFakeBackend("i2c-", kernel));

    char serial[PTX_SERIAL_NUMBER_SIZE] = {};
    EXPECT_EQ(ptxFindControllers(), 1);
    EXPECT_EQ(ptxGetSerialNumber(0, serial), 0);
    const int handle = ptxOpen(serial);
    unsigned char record[8] = {};
    EXPECT_EQ(ptxFirmwareVersion_Read(handle, record, 5), 0);
    EXPECT_EQ(ptxI2C_RegisterRead(handle, kChip, 0x14), 0x3F);
    EXPECT_EQ(ptxI2C_RegisterWrite(handle, kChip, 0x14, 0x00), 0);
    EXPECT_EQ(adapter.registers[0x14], 0x00);
    installBackend(nullptr);
}

} // namespace
} // namespace ptx::i2cdev
