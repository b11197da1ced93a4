#include "cli/Clock.h"

#include <QDateTime>

#include <algorithm>
#include <csignal>

#include <poll.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void onInterrupt(int)
{
    interrupted = 1;
}

// Without SA_RESTART, so that Ctrl-C ends the poll below at once.
void catchInterrupt(bool on)
{
    interrupted = 0;
    struct sigaction action { };
    action.sa_handler = on ? onInterrupt : SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
}

// Standard output is polled for no event: a pipe whose reader has gone reports an error all the same.
Wake sleepWatchingOutput(std::int64_t milliseconds)
{
    constexpr std::int64_t longestPoll = 60000;
    const std::int64_t end = QDateTime::currentMSecsSinceEpoch() + milliseconds;
    pollfd output { STDOUT_FILENO, 0, 0 };
    for (std::int64_t left = milliseconds; !interrupted; left = end - QDateTime::currentMSecsSinceEpoch()) {
        const int ready = ::poll(&output, 1, static_cast<int>(std::clamp<std::int64_t>(left, 0, longestPoll)));
        if (ready > 0 && (output.revents & (POLLERR | POLLHUP)))
            return Wake::ReaderGone;
        if (ready > 0)
            output.fd = -1; // anything else it says is no news: from now on the poll only waits
        else if (ready == 0 && left <= longestPoll)
            return Wake::Due;
    }
    return Wake::Interrupted;
}

} // namespace

Clock systemClock()
{
    return { [] { return QDateTime::currentMSecsSinceEpoch(); }, sleepWatchingOutput, catchInterrupt };
}

std::string utcText(std::int64_t milliseconds)
{
    return QDateTime::fromMSecsSinceEpoch(milliseconds, Qt::UTC).toString(Qt::ISODateWithMs).toStdString();
}
