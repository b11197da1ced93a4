// Delta debugging over a recorded action list.
#pragma once

#include "Action.h"

#include <functional>
#include <vector>

// A shorter list for which `fails` still holds: chunks are dropped while the failure stays, the chunks
// halving down to single actions; stops after `budget` tries.
std::vector<Action> shrink(
    std::vector<Action> actions, const std::function<bool(const std::vector<Action>&)>& fails, int budget = 500);
