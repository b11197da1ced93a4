#include "ptx/Backend.h"

#include "ptx/sim/Simulator.h"

#include <utility>

namespace ptx {

namespace {

// Empty until a back end is installed; the simulated board serves in the meantime.
std::unique_ptr<Backend> installed;

} // namespace

void installBackend(std::unique_ptr<Backend> backend)
{
    installed = std::move(backend);
}

Backend& currentBackend()
{
    return installed ? *installed : sim::simulator();
}

} // namespace ptx
