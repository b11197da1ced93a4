#include "cli/CtlProgram.h"

int main(int argc, char** argv)
{
    return runCtlProgram(argc, argv);
}
