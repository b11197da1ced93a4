#include "python/SimulatorModule.h"

#include "python/HeldTransfer.h"

#include "ptx/sim/SimulatorControl.h"

#include <pybind11/stl.h>

#include <chrono>
#include <tuple>
#include <vector>

namespace py = pybind11;
namespace sim = ptx::sim;

namespace kv3124::python {

namespace {

using Access = std::tuple<const char*, int, int, bool>;

std::vector<Access> accessLog()
{
    std::vector<Access> log;
    for (const sim::RegisterAccess& access : sim::registerAccesses())
        log.emplace_back(
            access.access == sim::Access::Read ? "read" : "write", access.registerAddress, access.value, access.ok);
    return log;
}

std::chrono::milliseconds milliseconds(double seconds)
{
    return std::chrono::milliseconds(static_cast<long long>(seconds * 1000));
}

} // namespace

void defineSimulatorModule(py::module_& parent)
{
    py::module_ m = parent.def_submodule("sim",
        "The simulated board (kv3124.open(\"sim\")) seen from the inside: what went over its bus, its registers, and "
        "faults to make a script's error handling run. Only the simulated board obeys these.");
    m.def("log", &accessLog,
        "The register reads and writes since the board opened or clear_log(), in order: (\"read\" or \"write\", "
        "register, byte, ok); a failed read's byte is negative.");
    m.def("clear_log", &sim::clearTransactions, "Empties the log.");
    m.def("set_register", &sim::setRegister, py::arg("register"), py::arg("value"),
        "Sets a register as the chip would, the read-only status register 0x01 included (its fault bits).");
    m.def("fail_next_reads", &sim::failNextReads, py::arg("count"), "The next `count` register reads fail.");
    m.def("fail_next_writes", &sim::failNextWrites, py::arg("count"), "The next `count` register writes fail.");
    m.def("fail_reads_of", &sim::failReadsOf, py::arg("register"), "Every read of `register` fails.");
    m.def("fail_writes_of", &sim::failWritesOf, py::arg("register"), "Every write of `register` fails.");
    m.def("unplug", &sim::unplug, "Every call fails until replug().");
    m.def("replug", &sim::replug, "Undoes unplug().");
    m.def("reset", &sim::reset,
        "A freshly plugged board: power-on registers, no faults, empty log; close the board first.");
    m.def(
        "hold_next_transfer", [](double longest) { holdNextTransfer(milliseconds(longest)); },
        py::arg("longest") = 10.0,
        "The next register transfer waits inside the adapter layer until release_transfer(), `longest` seconds at "
        "most: shows what other threads do meanwhile.");
    m.def(
        "wait_until_held", [](double timeout) { return waitUntilHeld(milliseconds(timeout)); }, py::arg("timeout"),
        py::call_guard<py::gil_scoped_release>(), "True once a transfer is held, within `timeout` seconds.");
    m.def("transfer_held", &transferHeld, "True while a transfer is held.");
    m.def("release_transfer", &releaseHeldTransfer, "Lets the held transfer go on.");
}

} // namespace kv3124::python
