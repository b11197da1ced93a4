// The chip's registers over the open adapter, for snapshots and field changes.
#pragma once

#include "chip/RegisterBus.h"

kv3124::RegisterBus adapterRegisterBus();
