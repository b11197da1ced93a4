#include "ptx/LastFailure.h"

#include <algorithm>
#include <cstring>
#include <mutex>

namespace ptx::failure {

namespace {

// The bus back end's node check reports from a thread of its own.
std::mutex mutex;
std::string waiting;

} // namespace

void record(const std::string& text)
{
    const std::scoped_lock lock(mutex);
    waiting = text;
}

void settle(bool succeeded, const char* fallback)
{
    const std::scoped_lock lock(mutex);
    if (succeeded)
        waiting.clear();
    else if (waiting.empty())
        waiting = fallback;
}

int take(char* text, int size)
{
    if (!text || size < 1)
        return -1;
    const std::scoped_lock lock(mutex);
    const std::size_t copied = std::min(waiting.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(text, waiting.data(), copied);
    text[copied] = '\0';
    const int length = static_cast<int>(waiting.size());
    waiting.clear();
    return length;
}

} // namespace ptx::failure
