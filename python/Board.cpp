#include "python/Board.h"

#include "adapter/AdapterBus.h"
#include "adapter/AdapterConnection.h"
#include "adapter/AdapterTexts.h"
#include "chip/FieldTransfer.h"
#include "chip/FieldValue.h"
#include "chip/Number.h"
#include "chip/QuotedWord.h"
#include "chip/Snapshot.h"
#include "ptx/ptx.h"

#include <atomic>
#include <ctime>
#include <utility>

namespace kv3124::python {

namespace {

// The adapter layer keeps one adapter for the whole process.
std::atomic<bool> boardOpen = false;

void checkByte(unsigned value, const char* what)
{
    if (value > 0xFF)
        throw std::invalid_argument(
            std::string(what) + ' ' + std::to_string(value) + " is not a number from 0 to 0xFF");
}

std::string utcNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm parts {};
    char text[32] = "";
    if (gmtime_r(&now, &parts))
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

const Field& writableField(std::string_view name)
{
    const Field& field = fieldNamed(name);
    if (findRegister(field.reg)->access != RegisterAccess::Written)
        throw std::invalid_argument(std::string(field.name) + " is in the read-only register " + hex(field.reg));
    return field;
}

} // namespace

SnapshotFailure::SnapshotFailure(const std::string& message, std::string path, int lineNumber)
    : std::runtime_error(message)
    , file(std::move(path))
    , line(lineNumber)
{
}

const Field& fieldNamed(std::string_view name)
{
    if (const Field* field = findField(name))
        return *field;
    std::string names;
    for (const Field& field : fields())
        names += (names.empty() ? "" : ", ") + std::string(field.name);
    throw std::invalid_argument("unknown field " + quotedWord(name) + " (valid fields: " + names + ")");
}

Board::Board(const std::string& adapter, const std::string& trace, int waitSeconds)
    : bus_(adapterRegisterBus())
    , adapter_(adapter)
{
    if (waitSeconds < 0)
        throw std::invalid_argument("wait=" + std::to_string(waitSeconds) + " is not a number of seconds");
    if (boardOpen.exchange(true))
        throw BoardBusy("a board is open already: close it first (one board per process)");
    try {
        if (adapter.empty() || ptxSelectBackend(adapter.c_str()) < 0 || ptxWaitForReturn(waitSeconds) < 0)
            throw std::invalid_argument(unknownAdapterMessage(adapter));
        if (const std::string error = trace.empty() ? "" : trace_.start(trace); !error.empty())
            throw std::invalid_argument(error);
        lastFailure(); // a reason left from an earlier board is not this one's
        unsigned char rfwByte = 0;
        if (adapterInit(rfwByte) != 0) {
            const std::string why = lastFailure();
            adapterRelease();
            throw BoardFailure("USB Initialization Error: " + why);
        }
        unsigned char ffwByte = 0;
        firmwareVersionByte(ffwByte);
        firmware_ = versionLine(rfwByte, ffwByte);
    } catch (...) {
        boardOpen = false;
        throw;
    }
    open_ = true;
}

Board::~Board()
{
    close();
}

void Board::close()
{
    const std::scoped_lock lock(mutex_);
    if (!open_)
        return;
    adapterRelease();
    open_ = false;
    boardOpen = false;
}

bool Board::closed() const
{
    return !open_;
}

void Board::checkOpen() const
{
    if (!open_)
        throw std::invalid_argument("the board is closed");
}

std::uint8_t Board::read(unsigned reg)
{
    checkByte(reg, "register");
    const std::scoped_lock lock(mutex_);
    checkOpen();
    std::uint8_t value = 0;
    if (!bus_.read(static_cast<std::uint8_t>(reg), value))
        throw BoardFailure(readFailure(bus_, static_cast<std::uint8_t>(reg)));
    return value;
}

void Board::write(unsigned reg, unsigned value)
{
    checkByte(reg, "register");
    checkByte(value, "value");
    if (isReadOnlyRegister(reg))
        throw std::invalid_argument("register " + hex(reg) + " is read-only");
    const std::scoped_lock lock(mutex_);
    checkOpen();
    if (!bus_.write(static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value)))
        throw BoardFailure(writeFailure(bus_, static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value)));
}

FieldReading Board::field(std::string_view name)
{
    const Field& field = fieldNamed(name);
    const std::scoped_lock lock(mutex_);
    checkOpen();
    const FieldRead read = readField(bus_, field);
    if (!read.error.empty())
        throw BoardFailure(read.error);
    return { &field, read.value,
        field.items.empty() ? std::to_string(read.value) : std::string(field.items[read.value]) };
}

void Board::setField(std::string_view name, std::string_view value)
{
    const Field& field = writableField(name);
    const std::optional<unsigned> number = parseFieldValue(field, value);
    if (!number)
        throw std::invalid_argument(quotedWord(value) + " is not a value of " + std::string(field.name)
            + " (valid: " + validValues(field) + ")");
    const std::scoped_lock lock(mutex_);
    checkOpen();
    if (const std::string error = writeField(bus_, field, *number); !error.empty())
        throw BoardFailure(error);
}

RegisterValues Board::dump()
{
    const std::scoped_lock lock(mutex_);
    checkOpen();
    ReadResult result = readAllRegisters(bus_);
    if (!result.error.empty())
        throw BoardFailure(result.error);
    return std::move(result.values);
}

void Board::save(const std::string& path)
{
    const RegisterValues values = dump();
    if (const std::string error = writeSnapshotFile(path, { utcNow(), adapter_, firmware_ }, values); !error.empty())
        throw SnapshotFailure(error, path, 0);
}

LoadResult Board::load(const std::string& path)
{
    const ParsedSnapshot snapshot = readSnapshotFile(path);
    if (!snapshot.error.empty())
        throw SnapshotFailure(snapshot.error, path, snapshot.line);
    const std::scoped_lock lock(mutex_);
    checkOpen();
    LoadResult result = loadSnapshot(bus_, snapshot.entries);
    if (!result.error.empty())
        throw BoardFailure(result.error);
    return result;
}

} // namespace kv3124::python
