#include "DebugLog.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr const char* logFileName = "debug.log";

std::string viewerCommand()
{
    for (const char* variable : { "VISUAL", "EDITOR" }) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return "xdg-open";
}

// The viewer's words, split at blanks without a shell ("code --wait" works, no quoting).
std::vector<std::string> viewerArguments()
{
    std::vector<std::string> words;
    std::istringstream command(viewerCommand());
    for (std::string word; command >> word;)
        words.push_back(word);
    words.emplace_back(logFileName);
    return words;
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
    std::remove(logFileName);
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
