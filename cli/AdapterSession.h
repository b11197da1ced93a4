// The adapter as the window opens it: the same names, listing, messages and version line.
#pragma once

#include <string>

// The adapters --list-adapters shows.
std::string adapterListing();
// Chooses the back end; false for a name no back end knows.
bool selectAdapter(const std::string& name);
// The message for a name selectAdapter refused.
std::string unknownAdapterMessage(const std::string& name);
// Opens and configures the adapter and gives the window's version line; throws CommandFailure when it cannot.
std::string startAdapter();
