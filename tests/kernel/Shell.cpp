#include "Shell.h"

#include <cstdio>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

Result run(const std::string& command)
{
    Result result { -1, {} };
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe))
        result.output += buffer;
    if (const int status = pipe ? ::pclose(pipe) : -1; WIFEXITED(status))
        result.status = WEXITSTATUS(status);
    return result;
}

Background::Background(const std::string& command, std::string output)
    : output_(std::move(output))
{
    // Made before the fork: the child of a process with threads may only make system calls.
    const std::string line = "exec " + command;
    const int out = ::open(output_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    int pipe[2];
    if (out < 0 || ::pipe2(pipe, O_CLOEXEC) != 0)
        return;
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(pipe[0], STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        ::execl("/bin/sh", "sh", "-c", line.c_str(), nullptr);
        ::_exit(127);
    }
    ::close(out);
    ::close(pipe[0]);
    input_ = pipe[1];
}

Background::~Background()
{
    if (pid_ > 0)
        finish();
}

void Background::send(const std::string& text) const
{
    if (::write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        std::perror("Background::send");
}

Result Background::finish()
{
    if (input_ >= 0)
        ::close(input_);
    input_ = -1;
    int status = -1;
    if (pid_ > 0)
        ::waitpid(pid_, &status, 0);
    pid_ = -1;
    std::stringstream printed;
    printed << std::ifstream(output_).rdbuf();
    return { WIFEXITED(status) ? WEXITSTATUS(status) : -1, printed.str() };
}
