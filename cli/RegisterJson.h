// The registers and their decoded fields as JSON.
#pragma once

#include "chip/Readings.h"
#include "chip/RegisterBus.h"

#include <QJsonObject>

#include <string>

// {"registers": [{"address", "name", "access", "value", "fields": [{"name", "value", "item"}]}]}, in Readback All
// order; "item" only for fields whose values have texts.
std::string registersJson(const kv3124::RegisterValues& values);
// {"name", "register", "value", "item"}; "item" only for a field whose values have texts.
QJsonObject readingJson(const kv3124::Reading& reading);
