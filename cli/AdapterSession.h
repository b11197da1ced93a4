// The adapter as the window opens it: the same names, listing, messages and version line.
#pragma once

#include <string>

// Chooses the back end, whose calls wait up to `waitSeconds` for an unplugged adapter to come back; false for a
// name no back end knows.
bool selectAdapter(const std::string& name, int waitSeconds);
// Opens and configures the adapter that `adapter` chose and gives the window's version line; throws
// CommandFailure when it cannot.
std::string startAdapter(const std::string& adapter);
