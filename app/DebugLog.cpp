#include "DebugLog.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* logFileName = "debug.log";

// A command's words, split at blanks without a shell ("code --wait" works, no quoting).
std::vector<std::string> words(const char* command)
{
    std::vector<std::string> split;
    std::istringstream in(command ? command : "");
    for (std::string word; in >> word;)
        split.push_back(word);
    return split;
}

// A variable of blanks only names no viewer and counts as unset.
std::vector<std::string> viewerArguments()
{
    std::vector<std::string> arguments = words(std::getenv("VISUAL"));
    if (arguments.empty())
        arguments = words(std::getenv("EDITOR"));
    if (arguments.empty())
        arguments.emplace_back("xdg-open");
    arguments.emplace_back(logFileName);
    return arguments;
}

// Only a file goes, or a symbolic link itself (never what it points to); a directory stays,
// and opening the log then fails.
void removeOldLog()
{
    struct stat entry { };
    if (::lstat(logFileName, &entry) == 0 && (S_ISREG(entry.st_mode) || S_ISLNK(entry.st_mode)))
        ::unlink(logFileName);
}

} // namespace

DebugLog::DebugLog()
    : m_originalStdout(::dup(STDOUT_FILENO))
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
    std::fflush(stdout);
    if (std::freopen(logFileName, "w", stdout))
        return true;
    // A failed reopen closes standard output: put the original one back so later output is safe.
    if (m_originalStdout >= 0 && ::dup2(m_originalStdout, STDOUT_FILENO) >= 0) {
        if (FILE* restored = ::fdopen(STDOUT_FILENO, "w"))
            stdout = restored;
    }
    return false;
}

void DebugLog::close()
{
    std::fclose(stdout);
}

void DebugLog::show() const
{
    const std::vector<std::string> words = viewerArguments();
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (m_originalStdout >= 0)
        posix_spawn_file_actions_adddup2(&actions, m_originalStdout, STDOUT_FILENO);
    pid_t viewer = 0;
    const int spawned = posix_spawnp(&viewer, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return;

    int status = 0;
    while (::waitpid(viewer, &status, 0) < 0 && errno == EINTR) { }
}
