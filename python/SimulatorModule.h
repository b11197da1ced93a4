// kv3124.sim: the simulated board's bus log and fault injection, for testing scripts without hardware.
#pragma once

#include <pybind11/pybind11.h>

namespace kv3124::python {

void defineSimulatorModule(pybind11::module_& parent);

} // namespace kv3124::python
