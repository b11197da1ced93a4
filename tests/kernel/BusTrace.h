// The SMBus transfers this process makes on the real kernel, as the kernel's own trace events record
// them: one line per finished transfer, such as "a=02c f=0000 c=10 BYTE_DATA wr res=0".
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

class BusTrace {
public:
    BusTrace()
    {
        // Child processes, i2cget and i2cset among them, stay out of the record.
        std::ofstream(kRoot / "set_event_pid") << ::getpid();
        std::ofstream(kRoot / "events/smbus/smbus_result/enable") << 1;
        clear();
    }
    ~BusTrace()
    {
        std::ofstream(kRoot / "events/smbus/smbus_result/enable") << 0;
        std::ofstream { kRoot / "set_event_pid" };
    }
    BusTrace(const BusTrace&) = delete;
    BusTrace& operator=(const BusTrace&) = delete;

    // Opening the record for writing empties it.
    void clear() { std::ofstream { kRoot / "trace" }; }

    std::vector<std::string> transfers() const
    {
        static const std::string event = "smbus_result: i2c-0 ";
        std::vector<std::string> found;
        std::ifstream in(kRoot / "trace");
        for (std::string line; std::getline(in, line);) {
            if (const auto at = line.find(event); at != std::string::npos)
                found.push_back(line.substr(at + event.size()));
        }
        return found;
    }

private:
    inline static const std::filesystem::path kRoot = "/sys/kernel/tracing";
};
