// Why the last adapter call failed, in one line, for ptxLastFailure: the back ends give their own reasons, and the
// entry points a plain one where a back end gave none.
#pragma once

#include <string>

namespace ptx::failure {

// A back end's own reason for the call that is failing; it replaces any reason still waiting.
void record(const std::string& text);
// After each call: a success forgets the waiting reason; a failure without one leaves `fallback`.
void settle(bool succeeded, const char* fallback);
// Copies the waiting reason into `text` (cut to `size` - 1 bytes, NUL-terminated) and forgets it; returns its whole
// length, 0 when there is none, or -1 for a null `text` or a size below 1.
int take(char* text, int size);

} // namespace ptx::failure
