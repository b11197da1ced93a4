// kv3124ctl through the real kernel's driver for an MCP2221A USB-to-I2C bridge. The bridge is emulated on
// the device side of dummy_hcd, a USB host and device connected inside the kernel, and keeps a record of
// every transfer that reached the chip and of the chip's registers: each check reads those, never only
// what kv3124ctl printed.
#include "Shell.h"

#include "ptx/sim/Kv3124Registers.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kSerial = "KV-SN-00B7";
const fs::path kFolder = "/run/bridge";
const std::string kCtl = KV3124CTL;

// The bridge's HID device in sysfs once its driver has added both the I2C adapter and the GPIO chip.
fs::path readyBridge()
{
    for (const auto& device : fs::directory_iterator("/sys/bus/hid/devices")) {
        if (device.path().filename().string().rfind("0003:04D8:00DD.", 0) != 0)
            continue;
        for (const auto& child : fs::directory_iterator(device.path()))
            if (child.path().filename().string().rfind("gpiochip", 0) == 0)
                return fs::canonical(device.path());
    }
    return {};
}

std::array<int, 256> chipRegisters()
{
    std::array<int, 256> registers {};
    std::ifstream in(kFolder / "registers");
    for (auto& value : registers)
        in >> std::hex >> value;
    return registers;
}

std::vector<std::string> recordLines()
{
    std::vector<std::string> lines;
    std::ifstream in(kFolder / "record");
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
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

class BridgeTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fs::create_directories(kFolder);
        if (run(KV3124_BRIDGE_PLUG " " + kSerial).status != 0)
            return;
        emulator_ = ::fork();
        if (emulator_ == 0) {
            ::execl(KV3124_BRIDGE_EMULATOR, KV3124_BRIDGE_EMULATOR, "/dev/hidg0", kFolder.c_str(), nullptr);
            ::_exit(127);
        }
        // The driver's probe waits out a timeout on each of its first commands, so this takes half a minute.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        while ((bridge_ = readyBridge()).empty() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (bridge_.empty())
            return;
        for (const auto& child : fs::directory_iterator(bridge_))
            if (child.path().filename().string().rfind("i2c-", 0) == 0)
                bus_ = child.path().filename().string().substr(4);
    }

    static void TearDownTestSuite()
    {
        if (emulator_ > 0) {
            ::kill(emulator_, SIGTERM);
            ::waitpid(emulator_, nullptr, 0);
        }
    }

    void SetUp() override { ASSERT_FALSE(bus_.empty()) << "the bridge's I2C adapter did not appear"; }

    // The record's lines since the last call.
    std::vector<std::string> newRecord()
    {
        auto lines = recordLines();
        std::vector<std::string> fresh(lines.begin() + static_cast<long>(seen_), lines.end());
        seen_ = lines.size();
        return fresh;
    }

    // The writes that carry data, leaving out those that only set the register pointer for a read.
    static std::vector<std::string> writes(const std::vector<std::string>& lines)
    {
        std::vector<std::string> found;
        for (const auto& line : lines)
            if (line.rfind("write ", 0) == 0 && line.size() > 8)
                found.push_back(line);
        return found;
    }

    static pid_t emulator_;
    static fs::path bridge_;
    static std::string bus_;
    std::size_t seen_ = 0;
};

pid_t BridgeTest::emulator_ = -1;
fs::path BridgeTest::bridge_;
std::string BridgeTest::bus_;

TEST_F(BridgeTest, KvctlCommandsReachTheChipByNameAndBySerialNumber)
{
    const std::string byName = kCtl + " --adapter=i2c:MCP2221 ";
    const std::string bySerial = kCtl + " --adapter=serial:" + kSerial + ' ';

    // dump: every register it shows is the chip's, and nothing is written.
    const Result dump = run(byName + "dump");
    ASSERT_EQ(dump.status, 0) << dump.output;
    const auto shown = registerLines(dump.output);
    EXPECT_EQ(shown.size(), 18u) << dump.output;
    const auto atStart = chipRegisters();
    EXPECT_EQ(atStart[0x14], 0x3F);
    for (const auto& [reg, value] : shown)
        EXPECT_EQ(value, atStart[reg]) << "register " << reg;
    EXPECT_EQ(writes(newRecord()), std::vector<std::string> {});

    // set: one write of the LED enables with led3's bit cleared.
    const Result set = run(bySerial + "set led3 off");
    ASSERT_EQ(set.status, 0) << set.output;
    EXPECT_EQ(writes(newRecord()), std::vector<std::string> { "write 14 3B" });
    EXPECT_EQ(chipRegisters()[0x14], 0x3B);

    // get: what the chip holds, set each way by i2c-tools through the same driver.
    for (const auto& [value, shownAs] : { std::pair { 0x3B, "led3=off\n" }, std::pair { 0x3F, "led3=on\n" } }) {
        ASSERT_EQ(run("i2cset -y " + bus_ + " 0x2c 0x14 " + std::to_string(value)).status, 0);
        EXPECT_EQ(chipRegisters()[0x14], value);
        newRecord();
        EXPECT_EQ(run(byName + "get led3").output, shownAs);
        EXPECT_EQ(writes(newRecord()), std::vector<std::string> {});
    }

    // save: the file holds the chip's registers.
    const fs::path file = kFolder / "board.kv3124";
    const Result save = run(bySerial + "save " + file.string());
    ASSERT_EQ(save.status, 0) << save.output;
    std::stringstream saved;
    saved << std::ifstream(file).rdbuf();
    const auto savedValues = registerLines(saved.str());
    const auto chip = chipRegisters();
    EXPECT_EQ(savedValues.size(), shown.size());
    for (const auto& [reg, value] : savedValues)
        EXPECT_EQ(value, chip[reg]) << "register " << reg;

    // load: other values for the LED enables, the brightness and the current; control goes last.
    std::string edited = saved.str();
    for (const auto& [from, to] : { std::pair { "0x14 0x3F", "0x14 0x15" }, std::pair { "0x03 0x00", "0x03 0x07" },
             std::pair { "0x04 0x00", "0x04 0x8C" }, std::pair { "0x11 0x04", "0x11 0x02" } }) {
        const auto at = edited.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        edited.replace(at, 9, to);
    }
    std::ofstream(file, std::ios::trunc) << edited;
    newRecord();
    const Result load = run(byName + "load " + file.string());
    ASSERT_EQ(load.status, 0) << load.output;
    const auto loaded = chipRegisters();
    EXPECT_EQ(loaded[0x14], 0x15);
    EXPECT_EQ(loaded[0x03], 0x07);
    EXPECT_EQ(loaded[0x04], 0x8C);
    EXPECT_EQ(loaded[0x11], 0x02);
    EXPECT_EQ(loaded[0x01], 0x00);
    const auto written = writes(newRecord());
    ASSERT_FALSE(written.empty());
    EXPECT_EQ(written.back(), "write 00 01");
    for (const auto& line : written)
        EXPECT_NE(line.substr(6, 2), "01") << "the read-only status register was written";

    // Another address goes unacknowledged and the read fails: the register byte's write and the read
    // with a repeated start each address it.
    newRecord();
    const Result elsewhere = run("i2cget -y " + bus_ + " 0x2d 0x14");
    EXPECT_NE(elsewhere.status, 0);
    EXPECT_EQ(elsewhere.output, "Error: Read failed\n");
    EXPECT_EQ(newRecord(), (std::vector<std::string> { "no-ack 2D", "no-ack 2D" }));

    // The reset bit brings back every power-on value.
    ASSERT_EQ(run(bySerial + "write 0x00 0x81").status, 0);
    const auto reset = chipRegisters();
    for (int reg = 0; reg < 256; ++reg)
        EXPECT_EQ(reset[reg], ptx::sim::Kv3124Registers::powerOnValue(static_cast<std::uint8_t>(reg))) << reg;
}

} // namespace
