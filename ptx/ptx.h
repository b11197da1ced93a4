// The interface adapter's library: the calls the evaluation program makes.
// Every function returns a negative value on failure.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Bytes ptxGetSerialNumber may write, terminating NUL included.
#define PTX_SERIAL_NUMBER_SIZE 80

// Number of adapters present; 0 when none.
int ptxFindControllers(void);
// Copies the serial number of adapter `index` into `serialNumber` (PTX_SERIAL_NUMBER_SIZE bytes).
int ptxGetSerialNumber(int index, char* serialNumber);
// Opens the adapter with this serial number; the result is the handle for every later call.
int ptxOpen(const char* serialNumber);
// Reads `length` bytes of the firmware version record into `buffer`; bytes 0 to 3 hold the versions.
int ptxFirmwareVersion_Read(int handle, unsigned char* buffer, int length);
int ptxI2C_Control(int handle, int busSetting, int speedSetting, int enable);
int ptxGPIO_WriteControl(int handle, int v0, int v1, int v2, int v3, int v4, int v5, int v6, int v7, int v8, int v9,
    int v10, int v11, int v12);
int ptxPower_WriteControl(int handle, int enable, int voltageSetting);
// The register byte in the low 8 bits, or negative when the device did not answer.
int ptxI2C_RegisterRead(int handle, int deviceAddress, int registerAddress);
int ptxI2C_RegisterWrite(int handle, int deviceAddress, int registerAddress, int value);
// Releases the adapter that `handle` opened, for other programs and for the kernel; the handle is then invalid.
int ptxClose(int handle);

// How long a call that finds the adapter unplugged waits for it to come back before it fails; the session
// ends when it does not. Without this call (the window) a call fails at once and the session waits for the
// adapter in the background. Returns 0, or negative for a negative `seconds`.
int ptxWaitForReturn(int seconds);

// Copies why the last failing call above failed, one line such as "i2c-1: no device answers at 0x2C", into `text`
// (cut to `size` - 1 bytes, always NUL-terminated) and forgets it. Returns the reason's whole length, 0 when no call
// has failed since the last success or the last ptxLastFailure, or negative for a null `text` or a `size` below 1.
// A failure whose back end has no reason of its own gets a plain one ("no answer on the bus"). Not traced.
int ptxLastFailure(char* text, int size);

// Whether the back ends also tell standard error why calls fail (once per run of failures) and that an unplugged
// adapter is gone or back: on (non-zero) by default, for the window; a library that hands the reasons to its own
// caller through ptxLastFailure turns it off.
void ptxReportFailures(int enable);

// Chooses where the calls above go: "sim" (the default), "none", or a back end's own name.
// Returns 0, or negative for a name no back end knows. Call it before the first other call.
int ptxSelectBackend(const char* name);

// Writes one line for every call above to `fd` (opened by the caller, who also closes it), from now on;
// a negative `fd` stops it. Each line is one write(2): the microseconds since this call started the trace
// (monotonic clock), the call, its arguments, "->" and what came back where the result is a value, then
// "ok" or "failed" with the negative result. Handles are left out, but for close.
//          0 find     -> 1 ok
//         12 serial   0 -> "SIM-3124-0001" ok
//         20 open     "SIM-3124-0001" -> 1 ok
//         31 firmware 5 -> 0x02 0x05 0x01 0x03 0x01 ok
//         40 i2c      0 0 1 ok
//         44 gpio     0 0 1 1 1 1 2 1 0 0 0 0 0 ok
//         47 power    1 0 ok
//       1234 read     0x2C 0x10 -> 0x0A ok
//       1300 write    0x2C 0x14 0x3F ok
//       1400 read     0x2C 0x13 failed -1
//       9000 close    1 ok
void ptxTraceTo(int fd);

#ifdef __cplusplus
}
#endif
