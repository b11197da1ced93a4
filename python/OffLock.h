// Bus calls run with Python's interpreter lock let go, so that the user's other threads go on during a transfer.
#pragma once

#include <pybind11/pybind11.h>

#include <utility>

namespace kv3124::python {

template <typename Call> auto offLock(Call&& call)
{
    const pybind11::gil_scoped_release unlocked;
    return std::forward<Call>(call)();
}

} // namespace kv3124::python
