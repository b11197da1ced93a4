#include "BusTrace.h"

#include "ptx/ptx.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

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
    const int fd = target == "-" ? STDERR_FILENO
                                 : ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd < 0)
        return "cannot write the trace to " + target + " (" + std::strerror(errno) + ")";
    m_fd = fd;
    ptxTraceTo(fd);
    return {};
}
