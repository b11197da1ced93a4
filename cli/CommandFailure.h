// Why a command stopped, and the exit status that says so.
#pragma once

#include <string>

constexpr int exitDone = 0;
constexpr int exitBoardFailure = 1;
constexpr int exitUsage = 2;
// watch --until saw its condition, diff found differences.
constexpr int exitConditionMet = 3;

struct CommandFailure {
    int exitCode;
    std::string message; // empty when the adapter's back end has said why on standard error
};
