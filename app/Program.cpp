#include "Program.h"

#include "EvalApp.h"
#include "ProgramOptions.h"

#include "framework/CWinApp.h"
#include "ptx/i2cdev/BusListing.h"
#include "ptx/ptx.h"

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int exitUsage = 2;

// A standard descriptor closed at start would go to the next file opened (the toolkit's wake-up
// descriptor, the debug log, the I2C bus node), and what is meant for it would land in that file.
void fillClosedStandardDescriptors()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
        if (::fcntl(fd, F_GETFD) < 0)
            ::open("/dev/null", O_RDWR); // the lowest free number, which is fd: the ones below are open
}

int listAdapters()
{
    std::printf("sim\tsimulated evaluation board (default)\n"
                "none\tno adapter\n");
    std::fputs(ptx::i2cdev::describeBuses().c_str(), stdout);
    return 0;
}

} // namespace

int runProgram(int argc, char** argv)
{
    fillClosedStandardDescriptors();
    const ProgramOptions options = parseProgramOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "kv3124-eval: %s\n", options.error.c_str());
        return exitUsage;
    }
    if (options.showHelp) {
        std::fputs(usageText, stdout);
        return 0;
    }
    if (options.listAdapters)
        return listAdapters();
    if (options.adapter.empty() || ptxSelectBackend(options.adapter.c_str()) < 0) {
        std::fprintf(stderr, "kv3124-eval: unknown adapter '%s' (choose sim, none, i2c-N or i2c:NAME)\n",
            options.adapter.c_str());
        return exitUsage;
    }

    EvalApp app(options.adapter == "sim");
    return AfxWinMain(app, argc, argv);
}
