// Any argument vector (the input split at NUL bytes) through the real start-up decision: it must
// neither crash nor leave debug.log behind, give exit status 0 with text on standard output or 2
// with one line on standard error, accept only adapters the adapter library accepts, and mean the
// same with the debug switch as a word of its own in front.
#include "Check.h"

#include "app/Startup.h"
#include "ptx/ptx.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t maxArguments = 64;

Startup decide(const std::vector<std::string>& arguments)
{
    std::vector<const char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(argument.c_str());
    argv.push_back(nullptr);
    return decideStartup(static_cast<int>(arguments.size()), argv.data());
}

bool sameDecision(const Startup& a, const Startup& b)
{
    return a.action == b.action && a.exitCode == b.exitCode && a.adapter == b.adapter && a.output == b.output
        && a.error == b.error;
}

bool isOneLine(const std::string& text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < ' ' || c == 0x7F)
            return false;
    return !text.empty();
}

} // namespace

// Runs in a folder of its own, so that a debug.log there can only come from the code under test.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    char folder[] = "/tmp/kv3124-fuzz-XXXXXX";
    check(::mkdtemp(folder) != nullptr && ::chdir(folder) == 0);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Each NUL ends an argument, so "" is no argument and "\0" one empty one.
    std::vector<std::string> arguments { "kv3124-eval" };
    std::string word;
    for (std::size_t i = 0; i < size && arguments.size() <= maxArguments; ++i) {
        if (data[i] != 0) {
            word += static_cast<char>(data[i]);
        } else {
            arguments.push_back(word);
            word.clear();
        }
    }
    if (!word.empty())
        arguments.push_back(word);
    const Startup startup = decide(arguments);

    struct stat log { };
    check(::lstat("debug.log", &log) != 0);
    switch (startup.action) {
    case Startup::Action::Exit:
        check(startup.exitCode == 0 ? !startup.output.empty() && startup.error.empty()
                                    : startup.exitCode == 2 && startup.output.empty() && isOneLine(startup.error));
        break;
    case Startup::Action::OpenWindow:
        check(ptxSelectBackend(startup.adapter.c_str()) == 0);
        ptxSelectBackend("sim");
        [[fallthrough]];
    case Startup::Action::ListAdapters:
        check(startup.output.empty() && startup.error.empty());
        break;
    }

    arguments.insert(arguments.begin() + 1, "/d");
    check(sameDecision(decide(arguments), startup));
    return 0;
}
