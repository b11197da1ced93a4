// Real boards through the Linux kernel's i2c-dev interface.
#pragma once

#include "../Backend.h"

#include <memory>
#include <string_view>

namespace ptx::i2cdev {

// The back end for a bus name such as "i2c-1" or "i2c:MCP2221"; nullptr when `name` is not one.
std::unique_ptr<Backend> createBackend(std::string_view name);

} // namespace ptx::i2cdev
