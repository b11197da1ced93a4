// The bridge on the gadget side of a USB HID function: answers the host driver's reports on the gadget's
// node with the evaluation board behind it. Usage: mcp2221_emulator /dev/hidgN FOLDER
#include "ChipBus.h"
#include "Mcp2221.h"
#include "Record.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s /dev/hidgN FOLDER\n", argv[0]);
        return 2;
    }
    const int node = ::open(argv[1], O_RDWR);
    if (node < 0) {
        std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], std::strerror(errno));
        return 1;
    }
    Record record(argv[2]);
    ChipBus bus(record);
    Mcp2221 bridge(bus);
    for (;;) {
        Report command {};
        const ssize_t got = ::read(node, command.data(), command.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        const Report reply = bridge.answer(command);
        if (::write(node, reply.data(), reply.size()) != static_cast<ssize_t>(reply.size()))
            break;
    }
    std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], std::strerror(errno));
    return 1;
}
