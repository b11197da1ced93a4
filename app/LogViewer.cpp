#include "LogViewer.h"

#include "ptx/ErrorText.h"
#include "ptx/TerminalText.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

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
std::vector<std::string> viewerArguments(const char* file)
{
    std::vector<std::string> arguments = words(std::getenv("VISUAL"));
    if (arguments.empty())
        arguments = words(std::getenv("EDITOR"));
    if (arguments.empty())
        arguments.emplace_back("xdg-open");
    arguments.emplace_back(file);
    return arguments;
}

// While the viewer runs, the terminal's Ctrl-C and Ctrl-\ are for it alone, as with system().
class TerminalSignalsIgnored {
public:
    TerminalSignalsIgnored()
    {
        struct sigaction ignore { };
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGINT, &ignore, &m_interrupt);
        ::sigaction(SIGQUIT, &ignore, &m_quit);
    }
    ~TerminalSignalsIgnored()
    {
        ::sigaction(SIGINT, &m_interrupt, nullptr);
        ::sigaction(SIGQUIT, &m_quit, nullptr);
    }
    TerminalSignalsIgnored(const TerminalSignalsIgnored&) = delete;
    TerminalSignalsIgnored& operator=(const TerminalSignalsIgnored&) = delete;

private:
    struct sigaction m_interrupt { };
    struct sigaction m_quit { };
};

// Starts the viewer with the terminal's own standard output and the terminal signals at their
// defaults; returns 0 or the reason it could not be started.
int spawnViewer(char* const argv[], int standardOutput, pid_t& viewer)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (standardOutput >= 0)
        posix_spawn_file_actions_adddup2(&actions, standardOutput, STDOUT_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGQUIT);
    sigaddset(&defaults, SIGPIPE); // the program ignores it; the viewer ends on a closed pipe as usual
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const int spawned = posix_spawnp(&viewer, argv[0], &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return spawned;
}

} // namespace

void showInViewer(const char* log, int standardOutput)
{
    const std::vector<std::string> words = viewerArguments(log);
    std::vector<char*> argv;
    for (const std::string& word : words)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);

    const TerminalSignalsIgnored whileViewing;
    pid_t viewer = 0;
    if (const int error = spawnViewer(argv.data(), standardOutput, viewer); error != 0) {
        std::error_code noDirectory;
        std::fprintf(stderr, "kv3124-eval: cannot start %s (%s); the log is %s\n", ptx::printable(argv[0]).c_str(),
            errorText(error).c_str(), ptx::printable(std::filesystem::absolute(log, noDirectory).string()).c_str());
        return;
    }
    int status = 0;
    while (::waitpid(viewer, &status, 0) < 0 && errno == EINTR) { }
}
