#include "StandardStreams.h"

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

void guardStandardStreams()
{
    // A standard descriptor closed at start would go to the next file opened (the toolkit's wake-up
    // descriptor, the trace, the I2C bus node), and what is meant for it would land in that file.
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (::fcntl(fd, F_GETFD) < 0)
            ::open("/dev/null", O_RDWR); // the lowest free number, which is fd: the ones below are open
    std::signal(SIGPIPE, SIG_IGN);
}
