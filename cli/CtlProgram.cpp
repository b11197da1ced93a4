#include "cli/CtlProgram.h"

#include "cli/Ctl.h"
#include "cli/DescriptorBuffer.h"

#include "adapter/StandardStreams.h"

#include <QCoreApplication>

#include <iostream>

#include <unistd.h>

int runCtlProgram(int argc, char** argv)
{
    guardStandardStreams();
    QCoreApplication application(argc, argv);
    DescriptorBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return runCtl(application.arguments(), std::cin, out, std::cerr, systemClock());
}
