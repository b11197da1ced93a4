#include "cli/Ctl.h"
#include "cli/DescriptorBuffer.h"

#include <QCoreApplication>

#include <iostream>

#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    DescriptorBuffer standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return runCtl(application.arguments(), std::cin, out, std::cerr);
}
