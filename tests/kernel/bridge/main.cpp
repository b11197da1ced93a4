// The bridge on the gadget side of a USB HID function: answers the host driver's reports on the gadget's
// node with the evaluation board behind it. The board stays powered across unplugs: while the gadget is
// unbound its node is gone, and it is opened again once it is back. Usage: mcp2221_emulator /dev/hidgN FOLDER
#include "ChipBus.h"
#include "Knobs.h"
#include "Mcp2221.h"
#include "Record.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace {

// Answers commands on `node` until it fails, as it does when the gadget is unbound.
void serve(int node, Mcp2221& bridge, ChipBus& bus, const Knobs& knobs)
{
    for (;;) {
        Report command {};
        const ssize_t got = ::read(node, command.data(), command.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return;
        for (const auto& [reg, value] : knobs.takeSettings())
            bus.set(reg, value);
        const Fault fault = knobs.fault();
        if (fault == Fault::Silent)
            continue;
        bus.present(fault != Fault::Nack);
        const Report reply = bridge.answer(command, fault == Fault::Busy);
        // A reply to a host that has just gone is lost, as on the wire.
        if (::write(node, reply.data(), reply.size()) < 0 && errno != ESHUTDOWN && errno != EINTR)
            return;
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s /dev/hidgN FOLDER\n", argv[0]);
        return 2;
    }
    Record record(argv[2]);
    ChipBus bus(record);
    Mcp2221 bridge(bus);
    const Knobs knobs(argv[2]);
    for (;;) {
        const int node = ::open(argv[1], O_RDWR);
        if (node < 0) {
            if (errno != ENOENT && errno != ENODEV && errno != ENXIO) {
                std::fprintf(stderr, "%s: %s: %s\n", argv[0], argv[1], std::strerror(errno));
                return 1;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            continue;
        }
        serve(node, bridge, bus, knobs);
        ::close(node);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
