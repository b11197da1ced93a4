#include "cli/CtlProgram.h"

#include "cli/Ctl.h"

#include "adapter/StandardStreams.h"

#include <QCoreApplication>

#include <iostream>

int runCtlProgram(int argc, char** argv)
{
    guardStandardStreams();
    QCoreApplication application(argc, argv);
    return runCtl(application.arguments(), std::cin, std::cout, std::cerr);
}
