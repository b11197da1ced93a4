// A property that does not hold ends the run; libFuzzer keeps the input that broke it.
#pragma once

#include <cstdlib>

inline void check(bool holds)
{
    if (!holds)
        std::abort();
}
