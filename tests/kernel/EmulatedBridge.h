// An emulated USB-to-I2C bridge with the evaluation board behind it, plugged into one of the kernel's own
// USB root hubs (see bridge/plug.sh), and what its board saw: the chip's registers and a record of every
// transfer that reached it.
#pragma once

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

class EmulatedBridge {
public:
    EmulatedBridge(std::string name, std::string serial);
    ~EmulatedBridge();
    EmulatedBridge(const EmulatedBridge&) = delete;
    EmulatedBridge& operator=(const EmulatedBridge&) = delete;

    const std::string& serial() const { return serial_; }
    // Plugs it into root hub `hub` (0 to 6), starting its board the first time: returns at once, while the
    // kernel enumerates it.
    bool plug(int hub);
    // Pulled out: the kernel's host side sees the disconnect at once.
    void unplug();
    // Waits until its driver has added the I2C adapter, or also the GPIO chip, which comes last: its bus
    // label ("i2c-3"), or empty when that did not happen within `limit`.
    std::string waitForAdapter(std::chrono::seconds limit);
    std::string waitUntilReady(std::chrono::seconds limit);
    // The USB device's folder in sysfs, whose name is the port: "1-1" on hub 0.
    std::filesystem::path usbDevice() const;
    std::string port() const { return usbDevice().filename().string(); }
    // How long ago the host saw it plugged in.
    std::chrono::milliseconds pluggedInFor() const;

    std::array<int, 256> registers() const;
    // The record's lines since the last call: "write 14 3B", "read 3F", "no-ack 2D".
    std::vector<std::string> newRecord();
    // "nack", "silent", "busy" or "none": see bridge/Knobs.h.
    void fault(const std::string& word) const;
    // The chip sets a register itself, at the bridge's next command.
    void set(int reg, int value) const;

private:
    std::filesystem::path hidDevice() const;
    std::string waitFor(bool gpio, std::chrono::seconds limit);

    std::string name_;
    std::string serial_;
    std::filesystem::path folder_;
    int hub_ = -1;
    pid_t board_ = -1;
    std::size_t seen_ = 0;
};

// The writes that carry data, leaving out those that only set the register pointer for a read.
std::vector<std::string> dataWrites(const std::vector<std::string>& lines);
