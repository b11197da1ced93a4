// The tool as a process: the standard streams guarded, then runCtl on the process's own streams.
#pragma once

// Returns the process's exit status.
int runCtlProgram(int argc, char** argv);
