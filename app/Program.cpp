#include "Program.h"

#include "EvalApp.h"
#include "Startup.h"

#include "adapter/AdapterTexts.h"
#include "adapter/BusTrace.h"
#include "framework/CWinApp.h"
#include "ptx/ptx.h"

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

// A standard descriptor closed at start would go to the next file opened (the toolkit's wake-up
// descriptor, the debug log, the I2C bus node), and what is meant for it would land in that file.
void fillClosedStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (::fcntl(fd, F_GETFD) < 0)
            ::open("/dev/null", O_RDWR); // the lowest free number, which is fd: the ones below are open
}

} // namespace

int runProgram(int argc, char** argv)
{
    fillClosedStandardDescriptors();
    const Startup startup = decideStartup(argc, argv);
    std::fputs(startup.output.c_str(), stdout);
    if (!startup.error.empty())
        std::fprintf(stderr, "kv3124-eval: %s\n", startup.error.c_str());
    switch (startup.action) {
    case Startup::Action::Exit:
        return startup.exitCode;
    case Startup::Action::ListAdapters:
        std::fputs(adapterListing().c_str(), stdout);
        return 0;
    case Startup::Action::OpenWindow:
        break;
    }
    ptxSelectBackend(startup.adapter.c_str()); // a name decideStartup accepted
    BusTrace trace;
    if (const std::string error = startup.trace.empty() ? "" : trace.start(startup.trace); !error.empty()) {
        std::fprintf(stderr, "kv3124-eval: %s\n", error.c_str());
        return exitUsage;
    }
    EvalApp app(startup.adapter);
    return AfxWinMain(app, argc, argv);
}
