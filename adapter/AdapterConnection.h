// The adapter connection: finds, opens and configures the adapter, and reads and writes chip registers.
#pragma once

#include <string>

// The chip's I2C device address as hexadecimal text.
constexpr const char* DEVICE_ADDRESS = "2C";

// DEVICE_ADDRESS parsed as hexadecimal.
unsigned deviceAddress();

// 0 on success; 2 firmware version unreadable (nothing else tried, rfwByte untouched);
// 3, 4, 5 I2C, GPIO or power configuration failed, the last failure winning.
int adapterInit(unsigned char& rfwByte);
// The second firmware version byte, major and minor as high and low nibble; always succeeds.
bool firmwareVersionByte(unsigned char& ffwByte);
// 0 with the register byte in `value`, or 1 when the read failed and `value` is untouched.
int readRegister(unsigned device, unsigned char registerAddress, unsigned char& value);
// True when the chip took the byte.
bool writeRegister(unsigned device, unsigned char registerAddress, unsigned char value);
// Why the adapter's last call failed, and forgets it; empty when none has failed since the last success.
std::string lastFailure();
// Lets go of the adapter, so that it can be unplugged or used elsewhere; register accesses fail from then on.
void adapterRelease();
