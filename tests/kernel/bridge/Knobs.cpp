#include "Knobs.h"

#include <fstream>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Knobs::Knobs(std::filesystem::path folder)
    : folder_(std::move(folder))
{
}

Fault Knobs::fault() const
{
    std::ifstream in(folder_ / "fault");
    std::string word;
    in >> word;
    if (word == "nack")
        return Fault::Nack;
    if (word == "silent")
        return Fault::Silent;
    if (word == "busy")
        return Fault::Busy;
    return Fault::None;
}

std::vector<std::pair<std::uint8_t, std::uint8_t>> Knobs::takeSettings() const
{
    // Under the test's lock, so that a setting it adds meanwhile is not lost.
    const int lock = ::open((folder_ / "set.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ::flock(lock, LOCK_EX);
    std::vector<std::pair<std::uint8_t, std::uint8_t>> settings;
    {
        std::ifstream in(folder_ / "set");
        for (unsigned reg = 0, value = 0; in >> std::hex >> reg >> value;)
            settings.emplace_back(static_cast<std::uint8_t>(reg), static_cast<std::uint8_t>(value));
    }
    std::error_code ignored;
    std::filesystem::remove(folder_ / "set", ignored);
    ::close(lock);
    return settings;
}
