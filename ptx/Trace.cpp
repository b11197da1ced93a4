#include "ptx/Trace.h"

#include "ptx/ErrorText.h"
#include "ptx/ptx.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string_view>

namespace ptx::trace {

std::atomic<int> descriptor { -1 };

namespace {

using Clock = std::chrono::steady_clock;
Clock::time_point started;

constexpr std::ptrdiff_t kTimeWidth = 10;
constexpr std::ptrdiff_t kCallWidth = 8;
// A longer firmware record is cut here and ends in "..".
constexpr int kShownBytes = 16;

// The trace goes off and the board work goes on without it. A reader that went away (EPIPE) ended it on
// purpose, as `| head` does; anything else is said once, by whichever thread failed first.
void stop(int fd, int error)
{
    int expected = fd;
    if (descriptor.compare_exchange_strong(expected, -1, std::memory_order_acq_rel) && error != EPIPE)
        std::fprintf(stderr, "%s: the trace could not be written (%s); going on without it\n",
            program_invocation_short_name, errorText(error).c_str());
}

// One line, built in place with integers only (no locale) and written with one write(2), so that lines
// from several writers interleave whole and a crash loses none that was finished.
class Line {
public:
    explicit Line(std::string_view call)
    {
        const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
        char digits[24];
        const char* end = std::to_chars(std::begin(digits), std::end(digits), elapsed.count()).ptr;
        pad(kTimeWidth - (end - digits));
        append({ digits, end });
        append(" ");
        append(call);
        pad(kCallWidth - static_cast<std::ptrdiff_t>(call.size()));
    }

    Line& number(int value)
    {
        char digits[16];
        append(" ");
        append({ digits, std::to_chars(std::begin(digits), std::end(digits), value).ptr });
        return *this;
    }

    // "0x" and at least two upper-case digits.
    Line& hex(int value)
    {
        if (value < 0)
            return number(value);
        char digits[8];
        char* first = std::end(digits);
        do {
            *--first = "0123456789ABCDEF"[value % 16];
            value /= 16;
        } while (value != 0 || std::end(digits) - first < 2);
        append(" 0x");
        append({ first, std::end(digits) });
        return *this;
    }

    // Quoted, with anything but printable ASCII (and the quote) shown as '?'.
    Line& text(const char* value)
    {
        append(" \"");
        const std::size_t length = value ? strnlen(value, PTX_SERIAL_NUMBER_SIZE - 1) : 0;
        for (std::size_t i = 0; i < length; ++i)
            append(value[i] >= ' ' && value[i] < 127 && value[i] != '"' ? std::string_view(&value[i], 1) : "?");
        append("\"");
        return *this;
    }

    Line& bytes(const unsigned char* buffer, int length)
    {
        for (int i = 0; i < length && i < kShownBytes; ++i)
            hex(buffer[i]);
        if (length > kShownBytes)
            append(" ..");
        return *this;
    }

    Line& returned()
    {
        append(" ->");
        return *this;
    }

    void end(int result)
    {
        append(result < 0 ? " failed" : " ok");
        if (result < 0)
            number(result);
        write();
    }

private:
    void append(std::string_view part)
    {
        const std::size_t taken = std::min(part.size(), buffer_.size() - 1 - size_);
        std::memcpy(buffer_.data() + size_, part.data(), taken);
        size_ += taken;
    }

    void pad(std::ptrdiff_t count)
    {
        for (; count > 0; --count)
            append(" ");
    }

    // The caller's errno stays as the call left it.
    void write()
    {
        buffer_[size_++] = '\n';
        const int savedErrno = errno;
        if (const int fd = descriptor.load(std::memory_order_relaxed); fd >= 0 && !writeAll(fd))
            stop(fd, errno);
        errno = savedErrno;
    }

    // False with errno set when the line cannot go out whole; a short write goes on with the rest, so
    // that a full disk shows as ENOSPC or EFBIG on the next attempt.
    bool writeAll(int fd) const
    {
        for (std::size_t written = 0; written < size_;) {
            const ssize_t count = ::write(fd, buffer_.data() + written, size_ - written);
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0) {
                errno = count < 0 ? errno : EIO;
                return false;
            }
            written += static_cast<std::size_t>(count);
        }
        return true;
    }

    std::array<char, 256> buffer_ {};
    std::size_t size_ = 0;
};

} // namespace

void to(int fd)
{
    if (fd >= 0)
        started = Clock::now();
    descriptor.store(fd < 0 ? -1 : fd, std::memory_order_release);
}

void findControllers(int result)
{
    Line line("find");
    if (result >= 0)
        line.returned().number(result);
    line.end(result);
}

void getSerialNumber(int index, const char* serialNumber, int result)
{
    Line line("serial");
    line.number(index);
    if (result >= 0)
        line.returned().text(serialNumber);
    line.end(result);
}

void open(const char* serialNumber, int result)
{
    Line line("open");
    line.text(serialNumber);
    if (result >= 0)
        line.returned().number(result);
    line.end(result);
}

void firmwareVersionRead(const unsigned char* buffer, int length, int result)
{
    Line line("firmware");
    line.number(length);
    if (result >= 0 && buffer)
        line.returned().bytes(buffer, length);
    line.end(result);
}

void i2cControl(int busSetting, int speedSetting, int enable, int result)
{
    Line("i2c").number(busSetting).number(speedSetting).number(enable).end(result);
}

void gpioWriteControl(const std::array<int, 13>& values, int result)
{
    Line line("gpio");
    for (const int value : values)
        line.number(value);
    line.end(result);
}

void powerWriteControl(int enable, int voltageSetting, int result)
{
    Line("power").number(enable).number(voltageSetting).end(result);
}

void registerRead(int deviceAddress, int registerAddress, int result)
{
    Line line("read");
    line.hex(deviceAddress).hex(registerAddress);
    if (result >= 0)
        line.returned().hex(result);
    line.end(result);
}

void registerWrite(int deviceAddress, int registerAddress, int value, int result)
{
    Line("write").hex(deviceAddress).hex(registerAddress).hex(value).end(result);
}

void close(int handle, int result)
{
    Line("close").number(handle).end(result);
}

} // namespace ptx::trace
