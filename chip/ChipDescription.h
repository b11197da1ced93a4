// The KV3124's registers and fields as the window presents them, for the tool, snapshots and tests.
// The panel's operations keep their own code; this is the chip as data.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace kv3124 {

enum class RegisterAccess {
    Written, // the panel writes it
    ReadOnly, // the status register: never written
    ShownOnly, // read back, never written by the panel
};

struct Register {
    std::uint8_t address;
    std::string_view name; // empty for the registers no control shows
    RegisterAccess access;
};

// A field's bits start at `shift` of `reg`; a field wider than what is left of its register goes on in the
// next register's low bits (the 12-bit brightness: bits 7 to 4 of 0x03, then all of 0x04).
struct Field {
    std::string_view name;
    std::string_view caption; // the window's check-box caption or list name
    std::uint8_t reg;
    unsigned shift;
    unsigned width;
    std::span<const std::string_view> items; // the text of each value, in value order; empty for plain numbers
};

// The registers Readback All reads, in its order.
std::span<const Register> registers();
std::span<const Field> fields();
// "written", "read-only" or "shown-only", as the JSON dumps and the Python module name them.
const char* accessName(RegisterAccess access);
// Null when the chip has no such register or field.
const Register* findRegister(unsigned address);
const Field* findField(std::string_view name);
// True for a register the chip does not let anyone write, which kv3124ctl refuses to write.
bool isReadOnlyRegister(unsigned address);

} // namespace kv3124
