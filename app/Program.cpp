#include "Program.h"

#include "EvalApp.h"
#include "Startup.h"

#include "adapter/AdapterTexts.h"
#include "adapter/BusTrace.h"
#include "adapter/StandardStreams.h"
#include "adapter/WriteRecord.h"
#include "framework/CWinApp.h"
#include "ptx/TerminalText.h"
#include "ptx/ptx.h"

#include <QDateTime>

#include <cstdio>
#include <string>

namespace {

// A path or name in the line may hold control bytes; the terminal gets them as '?'.
void complain(const std::string& text)
{
    std::fprintf(stderr, "kv3124-eval: %s\n", ptx::printable(text).c_str());
}

} // namespace

int runProgram(int argc, char** argv)
{
    guardStandardStreams();
    const Startup startup = decideStartup(argc, argv);
    std::fputs(startup.output.c_str(), stdout);
    if (!startup.error.empty())
        complain(startup.error);
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
    if (const std::string error = startup.trace ? trace.start(*startup.trace) : ""; !error.empty()) {
        complain(error);
        return exitUsage;
    }
    WriteRecord record;
    const std::string now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toStdString();
    if (const std::string error = startup.record ? record.start(*startup.record, now, startup.adapter) : "";
        !error.empty()) {
        complain(error);
        return exitUsage;
    }
    EvalApp app(startup.adapter);
    return AfxWinMain(app, argc, argv);
}
