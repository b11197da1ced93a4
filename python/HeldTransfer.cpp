#include "python/HeldTransfer.h"

#include "ptx/Backend.h"
#include "ptx/sim/Simulator.h"

#include <condition_variable>
#include <memory>
#include <mutex>

namespace kv3124::python {

namespace {

struct Hold {
    std::mutex mutex;
    std::condition_variable changed;
    bool armed = false;
    bool held = false;
    bool released = false;
    std::chrono::milliseconds longest {};
};

Hold hold;

// Everything goes to the simulated board; a register transfer first waits while the hold is armed.
class HoldingBackend final : public ptx::Backend {
public:
    int findControllers() override { return board().findControllers(); }
    int getSerialNumber(int index, char* buffer, std::size_t size) override
    {
        return board().getSerialNumber(index, buffer, size);
    }
    int open(const char* serialNumber) override { return board().open(serialNumber); }
    int firmwareVersionRead(int handle, unsigned char* buffer, int length) override
    {
        return board().firmwareVersionRead(handle, buffer, length);
    }
    int i2cControl(int handle, int bus, int speed, int enable) override
    {
        return board().i2cControl(handle, bus, speed, enable);
    }
    int gpioWriteControl(int handle, const std::array<int, 13>& values) override
    {
        return board().gpioWriteControl(handle, values);
    }
    int powerWriteControl(int handle, int enable, int voltage) override
    {
        return board().powerWriteControl(handle, enable, voltage);
    }
    int registerRead(int handle, int device, int reg) override
    {
        wait();
        return board().registerRead(handle, device, reg);
    }
    int registerWrite(int handle, int device, int reg, int value) override
    {
        wait();
        return board().registerWrite(handle, device, reg, value);
    }
    int close(int handle) override { return board().close(handle); }

private:
    static ptx::Backend& board() { return ptx::sim::simulator(); }

    static void wait()
    {
        std::unique_lock lock(hold.mutex);
        if (!hold.armed)
            return;
        hold.armed = false;
        hold.held = true;
        hold.changed.notify_all();
        hold.changed.wait_for(lock, hold.longest, [] { return hold.released; });
        hold.held = false;
    }
};

} // namespace

void holdNextTransfer(std::chrono::milliseconds longest)
{
    {
        const std::scoped_lock lock(hold.mutex);
        hold.armed = true;
        hold.released = false;
        hold.longest = longest;
    }
    ptx::installBackend(std::make_unique<HoldingBackend>());
}

bool waitUntilHeld(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(hold.mutex);
    return hold.changed.wait_for(lock, timeout, [] { return hold.held; });
}

bool transferHeld()
{
    const std::scoped_lock lock(hold.mutex);
    return hold.held;
}

void releaseHeldTransfer()
{
    const std::scoped_lock lock(hold.mutex);
    hold.released = true;
    hold.armed = false;
    hold.changed.notify_all();
}

} // namespace kv3124::python
