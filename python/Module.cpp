// The compiled half of `import kv3124`: the board, the chip description and the errors; kv3124/__init__.py gives
// them their Python shape.
#include "python/Board.h"
#include "python/OffLock.h"
#include "python/SimulatorModule.h"

#include "adapter/AdapterTexts.h"
#include "chip/FieldValue.h"
#include "chip/Number.h"
#include "ptx/ptx.h"

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace py = pybind11;
using namespace kv3124;
using namespace kv3124::python;

namespace {

// Python's own integers, checked here so that the message names the number as given.
unsigned byteArgument(const py::int_& number, const char* what)
{
    int overflow = 0;
    const long long value = PyLong_AsLongLongAndOverflow(number.ptr(), &overflow);
    if (overflow != 0 || value < 0 || value > 0xFF)
        throw std::invalid_argument(
            std::string(what) + ' ' + std::string(py::str(py::handle(number))) + " is not a number from 0 to 0xFF");
    return static_cast<unsigned>(value);
}

// A field's value as kv3124ctl's set takes it: a number (True and False too) or an item text.
std::string valueText(const py::handle& value)
{
    if (py::isinstance<py::str>(value))
        return value.cast<std::string>();
    if (py::isinstance<py::int_>(value))
        return std::string(py::str(py::reinterpret_steal<py::object>(PyNumber_Index(value.ptr())))); // True is "1"
    throw py::type_error("a field's value is an int or one of its item texts, not "
        + std::string(py::str(py::type::of(value).attr("__name__"))));
}

// The item text, or the number for a field without items.
py::object shownValue(const FieldReading& reading)
{
    if (reading.field->items.empty())
        return py::int_(reading.value);
    return py::str(reading.text);
}

py::object getField(Board& board, const std::string& name)
{
    return shownValue(offLock([&] { return board.field(name); }));
}

void setField(Board& board, const std::string& name, const py::object& value)
{
    const std::string text = valueText(value);
    offLock([&] { board.setField(name, text); });
}

py::tuple texts(std::span<const std::string_view> items)
{
    py::tuple tuple(items.size());
    for (std::size_t i = 0; i < items.size(); ++i)
        tuple[i] = py::str(items[i].data(), items[i].size());
    return tuple;
}

py::list registerRows()
{
    py::list rows;
    for (const Register& reg : registers())
        rows.append(py::make_tuple(reg.address, reg.name, accessName(reg.access)));
    return rows;
}

py::list fieldRows()
{
    py::list rows;
    for (const Field& field : fields()) {
        const auto regs = fieldRegisters(field);
        rows.append(py::make_tuple(field.name, field.caption, field.reg, field.shift, field.width, texts(field.items),
            py::tuple(py::cast(regs)), maxValue(field), findRegister(field.reg)->access == RegisterAccess::Written));
    }
    return rows;
}

std::unique_ptr<Board> openBoard(
    const std::string& adapter, const std::optional<std::filesystem::path>& trace, int wait)
{
    if (trace && trace->empty())
        throw std::invalid_argument("the trace file's name is empty");
    const std::string target = trace ? trace->string() : "";
    return offLock([&] { return std::make_unique<Board>(adapter, target, wait); });
}

void defineErrors(py::module_& m)
{
    py::register_exception<BoardFailure>(m, "BoardError").doc()
        = "The board or its bus failed: the text says what was being done and the adapter's reason.";
    static py::handle snapshotError = PyErr_NewExceptionWithDoc("kv3124.SnapshotError",
        "A snapshot file cannot be read, parsed or written; `file` names it and `line` is the bad line (0 when the "
        "problem is not one line's).",
        PyExc_ValueError, nullptr);
    m.attr("SnapshotError") = snapshotError;
    py::register_exception_translator([](std::exception_ptr thrown) {
        try {
            if (thrown)
                std::rethrow_exception(thrown);
        } catch (const SnapshotFailure& failure) {
            py::object error = py::reinterpret_borrow<py::object>(snapshotError)(failure.what());
            error.attr("file") = failure.file;
            error.attr("line") = failure.line;
            PyErr_SetObject(snapshotError.ptr(), error.ptr());
        }
    });
}

const char* const boardDoc = R"(One open evaluation board, from kv3124.open().

Fields are read and set by name, as kv3124ctl's get and set do:
board["led3"] = "off" writes the item text's value, board["brightness"] = 0x800 a number;
board["current-scale"] gives the item text ("101 = 20mA"), or the number for a field without
items (brightness). Every call goes to the chip: nothing is cached.

A board is safe to use from one thread at a time; calls from a second thread wait for the
first. Bus transfers let go of Python's interpreter lock, so other threads run meanwhile.
)";

void defineBoard(py::module_& m)
{
    py::class_<FieldReading>(m, "FieldValue", "A field as read from the chip: its name, its number and its text.")
        .def_property_readonly(
            "name", [](const FieldReading& r) { return std::string(r.field->name); }, "The field's name.")
        .def_readonly("value", &FieldReading::value, "The field's value as a number.")
        .def_readonly("text", &FieldReading::text, "The item text, or the number in decimal for a field without items.")
        .def("__repr__", [](const FieldReading& r) {
            return "FieldValue(name='" + std::string(r.field->name) + "', value=" + std::to_string(r.value) + ", text='"
                + r.text + "')";
        });

    py::class_<LoadResult>(m, "LoadResult", "What Board.load() wrote, and what it left out.")
        .def_readonly("written", &LoadResult::written, "The registers written, in write order, each read back equal.")
        .def_readonly(
            "skipped", &LoadResult::skipped, "The file's registers that are never written (status, revision, ...).")
        .def("__repr__", [](const LoadResult& r) {
            return "LoadResult(written=[" + hexList(r.written) + "], skipped=[" + hexList(r.skipped) + "])";
        });

    py::class_<Board>(m, "Board", boardDoc)
        .def_property_readonly("adapter", &Board::adapter, "The adapter name the board was opened with.")
        .def_property_readonly(
            "firmware", &Board::firmware, "The window's version line: \"Version: USB RFW:2.5; FFW:1.3\".")
        .def_property_readonly("closed", &Board::closed, "True once close() has run.")
        .def(
            "read",
            [](Board& b, const py::int_& reg) {
                const unsigned address = byteArgument(reg, "register");
                return offLock([&] { return b.read(address); });
            },
            py::arg("register"), "Reads one register's byte.")
        .def(
            "write",
            [](Board& b, const py::int_& reg, const py::int_& value) {
                const unsigned address = byteArgument(reg, "register");
                const unsigned byte = byteArgument(value, "value");
                offLock([&] { b.write(address, byte); });
            },
            py::arg("register"), py::arg("value"), "Writes one register's byte as given; 0x01 is read-only.")
        .def(
            "field", [](Board& b, const std::string& name) { return offLock([&] { return b.field(name); }); },
            py::arg("name"), "Reads a field: its number and its text.")
        .def("__getitem__", &getField, py::arg("name"),
            "The field's item text, or its number for a field without items.")
        .def("__setitem__", &setField, py::arg("name"), py::arg("value"),
            "Sets a field by read-modify-write of its register: a number or one of its item texts.")
        .def_property(
            "brightness", [](Board& b) { return offLock([&] { return b.field("brightness").value; }); },
            [](Board& b, const py::int_& code) { setField(b, "brightness", code); },
            "The 12-bit brightness code: set writes 0x03 then 0x04, as the window's slider does.")
        .def(
            "dump", [](Board& b) { return offLock([&] { return b.dump(); }); },
            "Every register Readback All reads, {address: byte}, in its order.")
        .def(
            "save", [](Board& b, const std::filesystem::path& path) { offLock([&] { b.save(path.string()); }); },
            py::arg("path"), "Saves every register into a snapshot file, as kv3124ctl save does.")
        .def(
            "load",
            [](Board& b, const std::filesystem::path& path) { return offLock([&] { return b.load(path.string()); }); },
            py::arg("path"),
            "Checks a snapshot file whole, then writes the registers the window writes, each read back.")
        .def("close", &Board::close, "Lets go of the adapter; kv3124.open() may then open another board.")
        .def(
            "__enter__", [](Board& b) -> Board& { return b; }, py::return_value_policy::reference,
            "The board itself, for a with block.")
        .def(
            "__exit__", [](Board& b, const py::args&) { b.close(); }, "Closes the board at the end of the with block.")
        .def("__repr__", [](const Board& b) {
            return "<kv3124.Board adapter='" + b.adapter() + "'" + (b.closed() ? " closed" : "") + ">";
        });

    m.def("open", &openBoard, py::arg("adapter") = "sim", py::kw_only(), py::arg("trace") = py::none(),
        py::arg("wait") = 0,
        R"(Opens the board on `adapter`: "sim", "none", "i2c-N", "i2c:NAME" or "serial:SERIAL".

trace: a file that gets a line for every adapter call ("-" for standard error).
wait: seconds a call waits for an unplugged USB bridge to come back (0: fail at once).
One board per process: a second open() while one is open raises RuntimeError.)");
}

} // namespace

PYBIND11_MODULE(_core, m)
{
    m.doc() = "The compiled part of kv3124; use the kv3124 package.";
    // Every reason goes into the exception; a library says nothing on standard error.
    ptxReportFailures(0);
    defineErrors(m);
    defineBoard(m);
    m.def("_adapter_listing", &adapterListing);
    m.def("_register_rows", &registerRows);
    m.def("_field_rows", &fieldRows);
    defineSimulatorModule(m);
}
