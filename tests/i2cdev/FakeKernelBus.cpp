#include "FakeKernelBus.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <fcntl.h>
#include <unistd.h>

namespace ptx::i2cdev {

namespace {

using Adapter = FakeKernelBus::Adapter;

std::string hex(unsigned long value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02lX", value);
    return text;
}

int smbus(Adapter& adapter, unsigned long address, const i2c_smbus_ioctl_data& request, std::string& call)
{
    const bool reading = request.read_write == I2C_SMBUS_READ;
    call += "SMBUS " + hex(address) + (reading ? " read " : " write ") + hex(request.command)
        + (reading ? "" : " " + hex(request.data->byte));
    const unsigned long needed = reading ? I2C_FUNC_SMBUS_READ_BYTE_DATA : I2C_FUNC_SMBUS_WRITE_BYTE_DATA;
    if (request.size != I2C_SMBUS_BYTE_DATA || !(adapter.functions & needed))
        return -EOPNOTSUPP;
    if (const int error = adapter.failure("SMBUS"))
        return -error;
    if (!reading)
        adapter.registers[request.command] = request.data->byte;
    else
        call += " -> " + hex(request.data->byte = adapter.registers[request.command]);
    return 0;
}

int rdwr(Adapter& adapter, const i2c_rdwr_ioctl_data& request, std::string& call)
{
    call += "RDWR";
    if (!(adapter.functions & I2C_FUNC_I2C))
        return -EOPNOTSUPP;
    if (const int error = adapter.failure("RDWR"))
        return -error;
    std::uint8_t pointer = 0;
    for (unsigned i = 0; i < request.nmsgs; ++i) {
        const i2c_msg& message = request.msgs[i];
        const bool reading = message.flags & I2C_M_RD;
        call += (i ? ", " : " ") + hex(message.addr) + (reading ? " read" : " write");
        if (message.flags & ~I2C_M_RD)
            call += " flags " + hex(message.flags);
        for (unsigned n = 0; n < message.len; ++n) {
            if (reading)
                message.buf[n] = adapter.registers[pointer++];
            else if (n == 0)
                pointer = message.buf[0];
            else
                adapter.registers[pointer++] = message.buf[n];
            call += " " + hex(message.buf[n]);
        }
    }
    return adapter.messagesCompleted >= 0 ? adapter.messagesCompleted : static_cast<int>(request.nmsgs);
}

} // namespace

FakeKernelBus::FakeKernelBus(bool i2cDevLoaded)
    : i2cDevLoaded_(i2cDevLoaded)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "i2cdev-fake-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory for the fake kernel");
    root_ = pattern;
    std::filesystem::create_directories(sysRoot() / "bus/i2c/devices");
    if (i2cDevLoaded)
        std::filesystem::create_directories(sysRoot() / "class/i2c-dev");
    std::filesystem::create_directories(devRoot());
}

FakeKernelBus::~FakeKernelBus()
{
    for (const auto& [fd, node] : nodes_)
        ::close(fd);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

Adapter& FakeKernelBus::plug(int number, Adapter adapter)
{
    const std::string bus = "i2c-" + std::to_string(number);
    std::string parent = adapter.parent;
    if (const auto star = parent.find('*'); star != std::string::npos) {
        char instance[8];
        std::snprintf(instance, sizeof instance, "%04X", ++hidInstances_);
        parent.replace(star, 1, instance);
    }
    const auto devices = sysRoot() / "devices";
    std::filesystem::create_directories(devices / parent / bus);
    // Name files end in a newline, as the kernel's do.
    std::ofstream(devices / parent / bus / "name") << adapter.name << '\n';
    if (!parent.empty())
        std::filesystem::create_directory_symlink(devices / parent, devices / parent / bus / "device");
    std::filesystem::create_directory_symlink(devices / parent / bus, sysRoot() / "bus/i2c/devices" / bus);
    if (i2cDevLoaded_)
        std::ofstream { devRoot() / bus };
    return buses_[number] = std::move(adapter);
}

Adapter FakeKernelBus::unplug(int number, int error)
{
    const auto bus = "i2c-" + std::to_string(number);
    std::filesystem::remove_all(std::filesystem::canonical(sysRoot() / "bus/i2c/devices" / bus));
    std::filesystem::remove(sysRoot() / "bus/i2c/devices" / bus);
    std::filesystem::remove(devRoot() / bus);
    const std::scoped_lock lock(mutex_);
    for (auto& [fd, node] : nodes_) {
        if (node.bus == number)
            node.unpluggedError = error;
    }
    return std::move(buses_.extract(number).mapped());
}

int FakeKernelBus::callsWith(std::string_view text) const
{
    return static_cast<int>(
        std::ranges::count_if(calls_, [&](const std::string& call) { return call.find(text) != std::string::npos; }));
}

int FakeKernelBus::openNodes() const
{
    const std::scoped_lock lock(mutex_);
    return static_cast<int>(nodes_.size());
}

int FakeKernelBus::open(const std::filesystem::path& path)
{
    const std::scoped_lock lock(mutex_);
    calls_.push_back(path.filename().string() + " open");
    if (!std::filesystem::exists(path))
        return -ENOENT;
    const int bus = std::stoi(path.filename().string().substr(4));
    if (const int error = buses_.at(bus).failure("open"))
        return -error;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    nodes_[fd] = Node { .bus = bus };
    return fd;
}

void FakeKernelBus::close(int fd)
{
    const std::scoped_lock lock(mutex_);
    nodes_.erase(fd);
    ::close(fd);
}

int FakeKernelBus::ioctl(int fd, unsigned long request, unsigned long arg)
{
    const std::scoped_lock lock(mutex_);
    Node& node = nodes_.at(fd);
    std::string& call = calls_.emplace_back("i2c-" + std::to_string(node.bus) + " ");
    if (node.unpluggedError) {
        call += "ioctl after unplug";
        return -node.unpluggedError;
    }
    Adapter& adapter = buses_.at(node.bus);
    switch (request) {
    case I2C_FUNCS:
        call += "FUNCS";
        if (const int error = adapter.failure("FUNCS"))
            return -error;
        *reinterpret_cast<unsigned long*>(arg) = adapter.functions;
        return 0;
    case I2C_SLAVE:
    case I2C_SLAVE_FORCE:
        call += (request == I2C_SLAVE ? "SLAVE " : "SLAVE_FORCE ") + hex(arg);
        // Only the forced claim overrides a kernel driver's address.
        if (const int error = request == I2C_SLAVE ? adapter.failure("SLAVE") : 0)
            return -error;
        node.address = arg;
        return 0;
    case I2C_SMBUS:
        return smbus(adapter, node.address, *reinterpret_cast<const i2c_smbus_ioctl_data*>(arg), call);
    case I2C_RDWR:
        return rdwr(adapter, *reinterpret_cast<const i2c_rdwr_ioctl_data*>(arg), call);
    default:
        return -ENOTTY;
    }
}

} // namespace ptx::i2cdev
