// One thing the user or the board does, as the randomized test draws, records and replays it.
#pragma once

#include "ptx/sim/Faults.h"
#include "ptx/sim/Simulator.h"

#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

struct Action {
    enum Kind { Press, Choose, Type, SliderKey, SliderTo, Repaint, Status, Fail, Plug };
    Kind kind;
    int id = 0; // the control, where the action has one
    int value = 0; // list item, key, slider position, status byte or number of failures
    bool other = false; // Space rather than the mouse, writes rather than reads, or unplugging rather than plugging in
    std::string text {}; // what is typed
};

std::string describe(const Action& action);

// The board the dialog starts on.
struct Scenario {
    std::optional<ptx::sim::Fault> fault;
    ptx::sim::FirmwareRecord firmware;
    std::vector<std::pair<int, int>> registers;
};

// Draws a scenario and then actions from one seed; an unplugged board is plugged back some actions later.
struct ActionGenerator {
    Scenario scenario(std::optional<ptx::sim::Fault> fault);
    Action next();
    std::string typed();
    int below(std::size_t n) { return static_cast<int>(rng() % n); }
    template <class T, std::size_t n> T pick(const T (&from)[n]) { return from[below(n)]; }

    std::mt19937 rng;
    bool unplugged = false;
};
