// The simulated evaluation board: one adapter and a KV3124 behind it at 0x2C.
#pragma once

#include "ptx/Backend.h"
#include "ptx/sim/Faults.h"
#include "ptx/sim/Kv3124Registers.h"
#include "ptx/sim/Transaction.h"

#include <array>
#include <cstddef>
#include <deque>
#include <map>

namespace ptx::sim {

inline constexpr const char* kSerialNumber = "SIM-3124-0001";
inline constexpr int kHandle = 1;
inline constexpr int kDeviceAddress = 0x2C;
// Firmware version record: RFW 2.5, FFW 1.3, hardware revision 1.
using FirmwareRecord = std::array<unsigned char, 5>;
inline constexpr FirmwareRecord kFirmwareRecord { 2, 5, 1, 3, 1 };

// The configuration the board is wired for; any other value is refused.
inline constexpr std::array<int, 3> kI2cSettings { 0, 0, 1 };
inline constexpr std::array<int, 13> kGpioSettings { 0, 0, 1, 1, 1, 1, 2, 1, 0, 0, 0, 0, 0 };
inline constexpr std::array<int, 2> kPowerSettings { 1, 0 };

class Simulator final : public Backend {
public:
    int findControllers() override;
    int getSerialNumber(int index, char* buffer, std::size_t size) override;
    int open(const char* serialNumber) override;
    int firmwareVersionRead(int handle, unsigned char* buffer, int length) override;
    int i2cControl(int handle, int busSetting, int speedSetting, int enable) override;
    int gpioWriteControl(int handle, const std::array<int, 13>& values) override;
    int powerWriteControl(int handle, int enable, int voltageSetting) override;
    int registerRead(int handle, int deviceAddress, int registerAddress) override;
    int registerWrite(int handle, int deviceAddress, int registerAddress, int value) override;
    int close(int handle) override;

    // Test support: the parts of the board that tests inspect or change.
    Kv3124Registers& chip() { return chip_; }
    Faults& faults() { return faults_; }
    std::deque<Transaction>& log() { return log_; }
    FirmwareRecord& firmwareRecord() { return firmwareRecord_; }
    std::map<int, int>& readOverrides() { return readOverrides_; }
    // Back to a freshly plugged board: power-on registers, adapter not open, no faults, empty log.
    void reset();

private:
    int record(Transaction transaction);
    bool present() const;
    bool isOpen(int handle) const;
    int configure(int handle, Fault step, bool expectedSettings) const;
    int serialNumberResult(int index, char* buffer, std::size_t size) const;
    int firmwareResult(int handle, unsigned char* buffer, int length) const;
    int readResult(int handle, int deviceAddress, int registerAddress);
    int writeResult(int handle, int deviceAddress, int registerAddress, int value);

    Kv3124Registers chip_;
    Faults faults_;
    std::deque<Transaction> log_;
    FirmwareRecord firmwareRecord_ = kFirmwareRecord;
    std::map<int, int> readOverrides_;
    bool opened_ = false;
};

// The one simulated board of the process, shared by the C API and the tests.
Simulator& simulator();

} // namespace ptx::sim
