// The whole program: standard descriptors, options, adapter choice, then the application object.
#pragma once

// Returns the process's exit status.
int runProgram(int argc, char** argv);
