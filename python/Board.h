// The board as the Python module offers it: one open adapter, the chip's fields by name, snapshots. Nothing of Python
// here, so that the benchmark times the very calls the module makes.
#pragma once

#include "adapter/BusTrace.h"
#include "chip/ChipDescription.h"
#include "chip/RegisterBus.h"
#include "chip/RegisterTransfer.h"

#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kv3124::python {

// The bus or the board failed; the text ends with the adapter's reason.
struct BoardFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A board is open already: the adapter layer serves one per process.
struct BoardBusy : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A snapshot file that cannot be read, parsed or written.
struct SnapshotFailure : std::runtime_error {
    SnapshotFailure(const std::string& message, std::string path, int lineNumber);
    std::string file;
    int line; // 0 when the problem is not one line's
};

// A bad register, field, value or target file is std::invalid_argument.

struct FieldReading {
    const Field* field;
    unsigned value;
    std::string text; // the item text, or the decimal number for a field without items
};

// Every call but the constructor takes the board's own lock, so a second thread waits for the first.
class Board {
public:
    // Chooses `adapter` as the window's --adapter does, starts the trace into `trace` unless it is empty, and opens
    // and configures the adapter; an unplugged bridge is waited for up to `waitSeconds` at each call.
    Board(const std::string& adapter, const std::string& trace, int waitSeconds);
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;
    ~Board();

    // Lets go of the adapter; every later call but close() throws std::invalid_argument.
    void close();
    bool closed() const;
    const std::string& adapter() const { return adapter_; }
    const std::string& firmware() const { return firmware_; }

    std::uint8_t read(unsigned reg);
    // Refuses the read-only status register.
    void write(unsigned reg, unsigned value);
    FieldReading field(std::string_view name);
    // `value` is a number or one of the field's item texts, as kv3124ctl's set takes it.
    void setField(std::string_view name, std::string_view value);
    RegisterValues dump();
    void save(const std::string& path);
    LoadResult load(const std::string& path);

private:
    void checkOpen() const;
    RegisterBus bus_;
    std::string adapter_;
    std::string firmware_;
    BusTrace trace_;
    bool open_ = false;
    std::mutex mutex_;
};

// The field called `name`; throws std::invalid_argument naming the valid ones.
const Field& fieldNamed(std::string_view name);

} // namespace kv3124::python
