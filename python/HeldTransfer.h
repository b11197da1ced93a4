// Holds the simulated board's next register transfer until released, so that a test sees what other threads do
// while a transfer is under way.
#pragma once

#include <chrono>

namespace kv3124::python {

// From now on the simulated board's next register read or write waits in the adapter layer until
// releaseHeldTransfer(), or `longest` at most, so that a lock that is never let go shows as a slow test, not a hung
// one.
void holdNextTransfer(std::chrono::milliseconds longest);
// True once a transfer is waiting, within `timeout`.
bool waitUntilHeld(std::chrono::milliseconds timeout);
// True while a transfer is waiting.
bool transferHeld();
void releaseHeldTransfer();

} // namespace kv3124::python
