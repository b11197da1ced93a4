#include "Startup.h"

#include "ProgramOptions.h"

#include "Version.h"
#include "adapter/AdapterTexts.h"
#include "ptx/i2cdev/BusSelector.h"

#include <utility>

namespace {

bool isAdapterName(const std::string& name)
{
    return name == "sim" || name == "none" || ptx::i2cdev::BusSelector::parse(name);
}

// The user's own text goes into the one line as it is; the line's printer makes it terminal-safe.
Startup rejected(std::string error)
{
    Startup startup;
    startup.action = Startup::Action::Exit;
    startup.exitCode = exitUsage;
    startup.error = std::move(error);
    return startup;
}

Startup answered(std::string output)
{
    Startup startup;
    startup.action = Startup::Action::Exit;
    startup.output = std::move(output);
    return startup;
}

} // namespace

Startup decideStartup(int argc, const char* const* argv)
{
    const ProgramOptions options = parseProgramOptions(argc, argv);
    if (!options.error.empty())
        return rejected(options.error + "; " + validOptions());
    if (options.help || options.helpAll)
        return answered(helpText(options.helpAll));
    if (options.version)
        return answered("kv3124-eval " KV3124_VERSION "\n");
    Startup startup;
    if (options.listAdapters) {
        startup.action = Startup::Action::ListAdapters;
        return startup;
    }
    const std::string adapter = options.adapter.value_or("sim");
    if (!isAdapterName(adapter))
        return rejected(unknownAdapterMessage(adapter));
    // A word alone starts nothing: the simulator would run while the user believes in a real board.
    for (const std::string& word : options.words)
        if (isAdapterName(word))
            return rejected("'" + word + "' is no option; to use that adapter write --adapter=" + word);
    startup.adapter = adapter;
    startup.trace = options.trace;
    startup.record = options.record;
    return startup;
}
