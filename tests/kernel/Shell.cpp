#include "Shell.h"

#include <cstdio>

#include <sys/wait.h>

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
