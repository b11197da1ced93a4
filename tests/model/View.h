// Everything the randomized test compares after each action: the bus, the chip and the window.
#pragma once

#include "ptx/sim/RegisterAccess.h"

#include <array>
#include <map>
#include <string>
#include <vector>

struct View {
    std::vector<ptx::sim::RegisterAccess> accesses; // those of the last action, in order
    std::array<int, 256> chip {};
    std::map<int, std::string> texts; // edits, read-back cells, list fields, status and version lines
    std::map<int, bool> boxes;
    std::map<int, int> selections;
    int slider = 0;
};

// What differs, one line per difference; empty when nothing does.
std::string difference(const View& expected, const View& actual);
