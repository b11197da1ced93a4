// The adapter as the window opens it: the same names, listing, messages and version line.
#pragma once

#include <string>

// Chooses the back end; false for a name no back end knows.
bool selectAdapter(const std::string& name);
// Opens and configures the adapter and gives the window's version line; throws CommandFailure when it cannot.
std::string startAdapter();
