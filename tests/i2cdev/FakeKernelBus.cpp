#include "FakeKernelBus.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include <fcntl.h>
#include <linux/i2c-dev.h>
#include <unistd.h>

namespace ptx::i2cdev {

namespace {

namespace fs = std::filesystem;
using Adapter = FakeKernelBus::Adapter;

std::string hex(unsigned long value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02lX", value);
    return text;
}

int smbus(Adapter& adapter, const i2c_smbus_ioctl_data& request, std::string& call)
{
    const bool reading = request.read_write == I2C_SMBUS_READ;
    call += (reading ? " read " : " write ") + hex(request.command) + (reading ? "" : " " + hex(request.data->byte));
    if (request.size != I2C_SMBUS_BYTE_DATA)
        return -EOPNOTSUPP;
    if (const int error = adapter.failing("SMBUS"))
        return error;
    if (reading)
        call += " -> " + hex(request.data->byte = adapter.registers[request.command]);
    else
        adapter.registers[request.command] = request.data->byte;
    return 0;
}

// Messages go to the one chip: a write's first byte sets its register pointer, which every byte moves on.
int rdwr(Adapter& adapter, const i2c_rdwr_ioctl_data& request, std::string& call)
{
    if (const int error = adapter.failing("RDWR"))
        return error;
    std::uint8_t pointer = 0;
    for (unsigned i = 0; i < request.nmsgs; ++i) {
        const i2c_msg& message = request.msgs[i];
        const bool reading = message.flags & I2C_M_RD;
        call += (i ? ", " : " ") + hex(message.addr) + (reading ? " read" : " write");
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

// The USB device in a parent path: below the root hub "usbB", the last directory before an interface ("B-P:1.0").
fs::path usbDeviceIn(const fs::path& parent)
{
    fs::path walked;
    fs::path device;
    bool belowRootHub = false;
    for (const auto& part : parent) {
        walked /= part;
        const std::string name = part.string();
        if (!belowRootHub)
            belowRootHub = name.starts_with("usb");
        else if (name.find(':') != std::string::npos)
            break;
        else
            device = walked;
    }
    return device;
}

} // namespace

FakeKernelBus::FakeKernelBus(bool i2cDevLoaded)
    : i2cDevLoaded_(i2cDevLoaded)
{
    std::string pattern = (fs::temp_directory_path() / "i2cdev-fake-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory for the fake kernel");
    root_ = pattern;
    fs::create_directories(devRoot());
    if (i2cDevLoaded)
        fs::create_directories(sysRoot() / "class/i2c-dev");
}

FakeKernelBus::~FakeKernelBus()
{
    for (const auto& [fd, node] : nodes_)
        ::close(fd);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
}

Adapter& FakeKernelBus::plug(int number, Adapter adapter)
{
    const std::scoped_lock lock(mutex_);
    if (std::ranges::any_of(nodes_, [](const auto& entry) { return entry.second.unpluggedError != 0; }))
        throw std::logic_error("a plug while a removed adapter's node is still open");
    const fs::path directory = sysRoot() / "bus/i2c/devices" / ("i2c-" + std::to_string(number));
    fs::create_directories(directory);
    std::ofstream(directory / "name") << adapter.name << '\n'; // with the kernel's newline
    if (std::string parent = adapter.parent; !parent.empty()) {
        if (const auto star = parent.find('*'); star != std::string::npos)
            parent.replace(star, 1, std::to_string(++plugs_));
        fs::create_directories(sysRoot() / "devices" / parent);
        fs::create_directory_symlink(sysRoot() / "devices" / parent, directory / "device");
        if (const fs::path usb = usbDeviceIn(parent); !usb.empty()) {
            const fs::path device = sysRoot() / "devices" / usb;
            fs::create_directories(device / "power");
            std::ofstream(device / "power/connected_duration") << adapter.pluggedInMs << '\n';
            // The port's directory outlives an unplug; a bridge without a serial number has no file.
            fs::remove(device / "serial");
            if (!adapter.serial.empty())
                std::ofstream(device / "serial") << adapter.serial << '\n';
        }
    }
    if (i2cDevLoaded_)
        std::ofstream { devRoot() / directory.filename() };
    return buses_[number] = std::move(adapter);
}

Adapter FakeKernelBus::unplug(int number, int error)
{
    const std::string bus = "i2c-" + std::to_string(number);
    fs::remove_all(sysRoot() / "bus/i2c/devices" / bus);
    fs::remove(devRoot() / bus);
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
        std::ranges::count_if(calls, [&](const std::string& call) { return call.find(text) != std::string::npos; }));
}

int FakeKernelBus::openNodes() const
{
    const std::scoped_lock lock(mutex_);
    return static_cast<int>(nodes_.size());
}

int FakeKernelBus::open(const fs::path& path)
{
    const std::scoped_lock lock(mutex_);
    calls.push_back(path.filename().string() + " open");
    if (!fs::exists(path))
        return -ENOENT;
    const int bus = std::stoi(path.filename().string().substr(4));
    if (const int error = buses_.at(bus).failing("open"))
        return error;
    // Writable, as the real node is opened: a stray write(2) onto it lands in the file, for a test to see.
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
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
    std::string& call = calls.emplace_back("i2c-" + std::to_string(node.bus) + " ");
    if (node.unpluggedError)
        return -node.unpluggedError;
    Adapter& adapter = buses_.at(node.bus);
    switch (request) {
    case I2C_FUNCS:
        call += "FUNCS";
        *reinterpret_cast<unsigned long*>(arg) = adapter.functions;
        return adapter.failing("FUNCS");
    case I2C_SLAVE: // I2C_SLAVE_FORCE, which must never be used, is no request here
        call += "SLAVE " + hex(node.address = arg);
        return adapter.failing("SLAVE");
    case I2C_SMBUS:
        call += "SMBUS " + hex(node.address);
        return smbus(adapter, *reinterpret_cast<const i2c_smbus_ioctl_data*>(arg), call);
    case I2C_RDWR:
        call += "RDWR";
        return rdwr(adapter, *reinterpret_cast<const i2c_rdwr_ioctl_data*>(arg), call);
    default:
        return -ENOTTY;
    }
}

} // namespace ptx::i2cdev
