#include "DebugLog.h"

#include "LogViewer.h"

#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* logFileName = "debug.log";

// Only a file goes, or a symbolic link itself (never what it points to); a directory stays,
// and opening the log then fails.
void removeOldLog()
{
    struct stat entry { };
    if (::lstat(logFileName, &entry) == 0 && (S_ISREG(entry.st_mode) || S_ISLNK(entry.st_mode)))
        ::unlink(logFileName);
}

// Whatever still sits at the log's name (the delete can fail, or lose a race against someone who
// can write to this folder) is written only if it is a plain file with no other name: never through
// a link, never into another file's contents, and without waiting for a FIFO's reader.
int openLogFile()
{
    const int log = ::open(logFileName, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (log < 0)
        return -1;
    struct stat file { };
    if (::fstat(log, &file) == 0 && S_ISREG(file.st_mode) && file.st_nlink == 1 && ::ftruncate(log, 0) == 0)
        return log;
    ::close(log);
    return -1;
}

} // namespace

DebugLog::DebugLog()
    // Close-on-exec, so that the viewer gets it only as its standard output.
    : m_originalStdout(::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0))
{
}

DebugLog::~DebugLog()
{
    if (m_originalStdout >= 0)
        ::close(m_originalStdout);
}

bool DebugLog::open()
{
    removeOldLog();
    const int log = openLogFile();
    if (log < 0)
        return false;
    std::fflush(stdout);
    const bool redirected = ::dup2(log, STDOUT_FILENO) >= 0;
    ::close(log);
    return redirected;
}

void DebugLog::close()
{
    std::fclose(stdout);
}

void DebugLog::show() const
{
    showInViewer(logFileName, m_originalStdout);
}
