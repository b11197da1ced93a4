#include "Program.h"

#include "EvalApp.h"
#include "ProgramOptions.h"

#include "framework/CWinApp.h"
#include "ptx/i2cdev/BusListing.h"
#include "ptx/ptx.h"

#include <cstdio>

namespace {

constexpr int exitUsage = 2;

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
