#include "BusTrace.h"

#include "ptx/ErrorText.h"
#include "ptx/ptx.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

// Why the trace may not go to a file of this kind; empty for a regular file, a FIFO, a terminal and
// /dev/null. Anything else that takes writes is a device, and a trace written onto an I2C bus node would
// be bus traffic.
std::string refusal(const struct stat& file, bool terminal)
{
    // Emptying a file with another name would empty that other file too.
    if (S_ISREG(file.st_mode) && file.st_nlink > 1)
        return "a file with another name (a hard link); give a file of its own";
    if (S_ISREG(file.st_mode) || S_ISFIFO(file.st_mode) || terminal
        || (S_ISCHR(file.st_mode) && file.st_rdev == makedev(1, 3)))
        return {};
    if (S_ISLNK(file.st_mode))
        return "a symbolic link; give the file itself";
    if (S_ISDIR(file.st_mode))
        return "a directory";
    if (S_ISSOCK(file.st_mode))
        return "a socket";
    if (S_ISBLK(file.st_mode))
        return "a block device";
    return "a character device that is neither a terminal nor /dev/null";
}

// Why `target` cannot be opened: what it is, when that says more than errno.
std::string openFailure(const std::string& target, int error)
{
    struct stat file { };
    const std::string kind = ::lstat(target.c_str(), &file) == 0 ? refusal(file, false) : "";
    return kind.empty() ? errorText(error) : kind;
}

// The open descriptor of `target`, or -1 with `why` set. Never through a link; a FIFO blocks here until
// its reader comes, as a shell redirection would. The kind is checked on what was opened, and a regular
// file is emptied only then.
int openTarget(const std::string& target, std::string& why)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW, 0644);
    if (fd < 0) {
        why = openFailure(target, errno);
        return -1;
    }
    struct stat file { };
    if (::fstat(fd, &file) != 0)
        why = errorText(errno);
    else if (why = refusal(file, ::isatty(fd) == 1); why.empty() && S_ISREG(file.st_mode) && ::ftruncate(fd, 0) != 0)
        why = errorText(errno);
    if (why.empty())
        return fd;
    ::close(fd);
    return -1;
}

} // namespace

BusTrace::~BusTrace()
{
    if (m_fd < 0)
        return;
    ptxTraceTo(-1);
    if (m_fd != STDERR_FILENO)
        ::close(m_fd);
}

std::string BusTrace::start(const std::string& target)
{
    if (target.empty())
        return "--trace= names no file (--trace alone writes to standard error)";
    std::string why;
    const int fd = target == "-" ? STDERR_FILENO : openTarget(target, why);
    if (fd < 0)
        return "cannot write the trace to " + target + " (" + why + ")";
    m_fd = fd;
    ptxTraceTo(fd);
    return {};
}
