#include "DebugLog.h"

#include "LogViewer.h"

#include "ptx/Descriptor.h"
#include "ptx/ErrorText.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/sendfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* logFileName = "debug.log";

std::string because(int error)
{
    return std::string(" (") + errorText(error) + ")";
}

// An old log of this user goes, be it a file or a symbolic link itself (never what that points to).
// Anything else stays, and so does another user's entry: the log is then not made. Returns why not.
std::string removeOldLog()
{
    struct stat entry { };
    if (::lstat(logFileName, &entry) != 0)
        return errno == ENOENT ? "" : "cannot look at debug.log" + because(errno);
    if (entry.st_uid != ::geteuid())
        return "debug.log belongs to another user";
    if (!S_ISREG(entry.st_mode) && !S_ISLNK(entry.st_mode))
        return "debug.log is neither a file nor a link";
    if (::unlink(logFileName) != 0 && errno != ENOENT)
        return "cannot delete the old debug.log" + because(errno);
    return "";
}

// The folder for the viewer's copy: the user's runtime folder, else the temporary one.
std::string privateFolder()
{
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime && runtime[0] == '/')
        return std::string(runtime) + "/kv3124-eval";
    std::error_code noTemporary;
    std::filesystem::path temporary = std::filesystem::temp_directory_path(noTemporary);
    if (noTemporary)
        temporary = "/tmp";
    return (temporary / ("kv3124-eval-" + std::to_string(::geteuid()))).string();
}

// Copies the log into `folder`, which only this user may enter, so that nobody else can put another
// file under the name the viewer opens. Returns why not.
std::string copyLog(int log, const std::string& folder)
{
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return because(errno);
    const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat entry { };
    if (directory.get() < 0 || ::fstat(directory.get(), &entry) != 0)
        return because(errno);
    if (entry.st_uid != ::geteuid() || (entry.st_mode & 077) != 0)
        return " (other users may enter it)";
    if (::unlinkat(directory.get(), logFileName, 0) != 0 && errno != ENOENT)
        return because(errno);
    const Descriptor out(
        ::openat(directory.get(), logFileName, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.get() < 0)
        return because(errno);
    for (off_t from = 0;;) {
        const ssize_t sent = ::sendfile(out.get(), log, &from, 1 << 20);
        if (sent == 0)
            break;
        if (sent < 0 && errno != EINTR)
            return because(errno);
    }
    return "";
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
    if (m_log >= 0)
        ::close(m_log);
}

bool DebugLog::open()
{
    std::string refusal = removeOldLog();
    if (refusal.empty()) {
        // Made new: whatever was planted at the name since the delete (a link to another file, a FIFO)
        // makes this fail instead of being written.
        m_log = ::open(logFileName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_log < 0)
            refusal = "cannot make debug.log" + because(errno);
    }
    std::fflush(stdout);
    if (refusal.empty() && ::dup2(m_log, STDOUT_FILENO) < 0)
        refusal = "cannot send standard output to debug.log" + because(errno);
    if (!refusal.empty()) {
        std::fprintf(stderr, "kv3124-eval: debug mode is off: %s\n", refusal.c_str());
        return false;
    }
    // A file gets whole buffers from stdio; lines keep what a killed or crashed run logged.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    return true;
}

void DebugLog::close()
{
    std::fclose(stdout);
}

void DebugLog::show() const
{
    const std::string folder = privateFolder();
    if (const std::string error = copyLog(m_log, folder); !error.empty()) {
        std::error_code noDirectory;
        std::fprintf(stderr, "kv3124-eval: cannot copy the log for its viewer into %s%s; the log is %s\n",
            folder.c_str(), error.c_str(), std::filesystem::absolute(logFileName, noDirectory).c_str());
        return;
    }
    showInViewer((folder + "/" + logFileName).c_str(), m_originalStdout);
}
