// The registers and their decoded fields as a JSON document.
#pragma once

#include "chip/RegisterBus.h"

#include <string>

// {"registers": [{"address", "name", "access", "value", "fields": [{"name", "value", "item"}]}]}, in Readback All
// order; "item" only for fields whose values have texts.
std::string registersJson(const kv3124::RegisterValues& values);
