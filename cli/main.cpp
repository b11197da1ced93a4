#include "cli/Ctl.h"

#include <QCoreApplication>

#include <iostream>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    return runCtl(application.arguments(), std::cin, std::cout, std::cerr);
}
