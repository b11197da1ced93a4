#include "WriteRecord.h"

#include "chip/ChipDescription.h"
#include "chip/SafeFile.h"
#include "ptx/ErrorText.h"
#include "ptx/TerminalText.h"

#include <cerrno>
#include <cstdio>

#include <unistd.h>

namespace {

int recordFd = -1;
std::string recordPath;
std::string_view currentCause;

// One write(2) per line to a file opened to append: a crash loses no finished line.
bool writeLine(const std::string& line)
{
    return kv3124::writeAll(recordFd, line);
}

void stop()
{
    if (recordFd >= 0)
        ::close(recordFd);
    recordFd = -1;
}

// A write kv3124ctl would refuse, or one the chip did not take, stays in the record as a comment only.
std::string recordLine(unsigned char registerAddress, unsigned char value, bool taken)
{
    char command[24];
    std::snprintf(command, sizeof command, "write 0x%02X 0x%02X", registerAddress, value);
    const char* left = !taken                         ? "not taken by the chip"
        : kv3124::isReadOnlyRegister(registerAddress) ? "read-only, kv3124ctl does not write it"
                                                      : nullptr;
    std::string note(currentCause);
    if (left)
        note += (note.empty() ? "" : "; ") + std::string(left);
    return (left ? "# " : "") + std::string(command) + (note.empty() ? "" : "  # " + note) + '\n';
}

} // namespace

WriteRecord::~WriteRecord()
{
    stop();
}

std::string WriteRecord::start(const std::string& path, const std::string& startedAt, const std::string& adapter)
{
    if (path.empty())
        return "--record= names no file";
    std::string error;
    recordFd = kv3124::openAppendFile(path, error);
    if (recordFd < 0)
        return "cannot record: " + error;
    recordPath = path;
    // A line end in the adapter's name would end the comment.
    if (writeLine("# kv3124-eval recording started " + startedAt + " on adapter " + ptx::printable(adapter) + '\n'))
        return {};
    error = errorText(errno);
    stop();
    return "cannot record: " + path + ": " + error;
}

WriteCause::WriteCause(std::string_view name)
    : m_previous(currentCause)
{
    currentCause = name;
}

WriteCause::~WriteCause()
{
    currentCause = m_previous;
}

void recordWrite(unsigned char registerAddress, unsigned char value, bool taken)
{
    if (recordFd < 0 || writeLine(recordLine(registerAddress, value, taken)))
        return;
    // Said once: the window goes on without its record.
    const std::string why = errorText(errno);
    std::fprintf(stderr, "kv3124-eval: recording to %s stopped: %s\n", ptx::printable(recordPath).c_str(), why.c_str());
    stop();
}
