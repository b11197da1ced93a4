#include "FakeKernelBus.h"

#include "ptx/Backend.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <utility>

namespace ptx::i2cdev {

namespace {

using Adapter = FakeKernelBus::Adapter;

// Errno of the next transfer to `address`: a queued one, or no acknowledge from anything but the chip.
int transferError(Adapter& adapter, int address)
{
    if (adapter.transferErrors.empty())
        return address == FakeKernelBus::kChipAddress && adapter.chipPresent ? 0 : ENXIO;
    const int error = adapter.transferErrors.front();
    adapter.transferErrors.pop_front();
    return error;
}

int smbus(Adapter& adapter, const i2c_smbus_ioctl_data& request, FakeKernelBus::Call& call)
{
    call.readWrite = request.read_write;
    call.command = request.command;
    call.size = request.size;
    const bool reading = request.read_write == I2C_SMBUS_READ;
    if (!reading)
        call.byte = request.data->byte;
    const unsigned long needed = reading ? I2C_FUNC_SMBUS_READ_BYTE_DATA : I2C_FUNC_SMBUS_WRITE_BYTE_DATA;
    if (request.size != I2C_SMBUS_BYTE_DATA || !(adapter.functions & needed))
        return -EOPNOTSUPP;
    if (const int error = transferError(adapter, call.clientAddress))
        return -error;
    if (reading)
        call.byte = request.data->byte = adapter.registers[request.command];
    else
        adapter.registers[request.command] = request.data->byte;
    return 0;
}

int rdwr(Adapter& adapter, const i2c_rdwr_ioctl_data& request, FakeKernelBus::Call& call)
{
    if (!(adapter.functions & I2C_FUNC_I2C))
        return -EOPNOTSUPP;
    for (unsigned i = 0; i < request.nmsgs; ++i)
        call.messages.push_back({ request.msgs[i].addr, request.msgs[i].flags, {} });
    // One missing acknowledge ends the whole transfer, as a real controller does.
    for (unsigned i = 0; i < request.nmsgs; ++i) {
        const i2c_msg& message = request.msgs[i];
        if (const int error = transferError(adapter, message.addr))
            return -error;
        const bool reading = message.flags & I2C_M_RD;
        for (unsigned n = 0; n < message.len; ++n) {
            if (reading)
                message.buf[n] = adapter.registers[adapter.registerPointer++];
            else if (n == 0)
                adapter.registerPointer = message.buf[0];
            else
                adapter.registers[adapter.registerPointer++] = message.buf[n];
        }
        call.messages[i].bytes.assign(message.buf, message.buf + message.len);
    }
    return adapter.messagesCompleted >= 0 ? adapter.messagesCompleted : static_cast<int>(request.nmsgs);
}

} // namespace

FakeKernelBus::FakeKernelBus()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "i2cdev-fake-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory for the fake kernel");
    root_ = pattern;
    std::filesystem::create_directories(sysRoot());
    std::filesystem::create_directories(devRoot());
}

FakeKernelBus::~FakeKernelBus()
{
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

std::array<std::filesystem::path, 3> FakeKernelBus::filesOf(int number) const
{
    const std::string bus = "i2c-" + std::to_string(number);
    return { sysRoot() / "class/i2c-adapter" / bus / "name", sysRoot() / "class/i2c-dev" / bus / "name",
        devRoot() / bus };
}

FakeKernelBus::Adapter& FakeKernelBus::plug(int number, Adapter adapter)
{
    // Without i2c-dev only the adapter's own name file exists. Name files end in a newline, as the kernel's do.
    const auto files = filesOf(number);
    for (std::size_t i = 0; i < (adapter.withNode ? files.size() : 1); ++i) {
        std::filesystem::create_directories(files[i].parent_path());
        std::ofstream(files[i]) << (i < 2 ? adapter.name + "\n" : "");
    }
    return *(buses_[number] = std::make_shared<Adapter>(std::move(adapter)));
}

void FakeKernelBus::unplug(int number, int error)
{
    const auto files = filesOf(number);
    std::filesystem::remove_all(files[0].parent_path());
    std::filesystem::remove_all(files[1].parent_path());
    std::filesystem::remove(files[2]);
    for (auto& [fd, node] : nodes_) {
        if (node.bus == number)
            node.unpluggedError = error;
    }
    unplugged_ = buses_.at(number);
    buses_.erase(number);
}

FakeKernelBus::Adapter& FakeKernelBus::replug(int number)
{
    return plug(number, *std::exchange(unplugged_, nullptr));
}

std::vector<FakeKernelBus::Call> FakeKernelBus::callsOf(unsigned long request) const
{
    std::vector<Call> found;
    std::ranges::copy_if(calls_, std::back_inserter(found), [&](const Call& call) { return call.request == request; });
    return found;
}

int FakeKernelBus::open(const std::filesystem::path& path)
{
    openAttempts_.push_back(path);
    if (!std::filesystem::exists(path))
        return -ENOENT;
    const int bus = std::stoi(path.filename().string().substr(4));
    if (const int error = buses_.at(bus)->openError)
        return -error;
    nodes_[nextFd_] = Node { bus, buses_.at(bus) };
    return nextFd_++;
}

int FakeKernelBus::ioctl(int fd, unsigned long request, unsigned long arg)
{
    const auto found = nodes_.find(fd);
    if (found == nodes_.end())
        return -EBADF;
    Node& node = found->second;
    Call& call = calls_.emplace_back(Call { .bus = node.bus, .request = request });
    if (request == I2C_SLAVE || request == I2C_SLAVE_FORCE)
        call.value = arg;
    if (node.unpluggedError)
        return -node.unpluggedError;

    Adapter& adapter = *node.adapter;
    switch (request) {
    case I2C_FUNCS:
        *reinterpret_cast<unsigned long*>(arg) = adapter.functions;
        return 0;
    case I2C_SLAVE:
    case I2C_SLAVE_FORCE:
        if (arg > 0x7F)
            return -EINVAL;
        if (request == I2C_SLAVE && adapter.driverAddresses.contains(arg))
            return -EBUSY; // only the forced claim overrides a kernel driver
        node.address = arg;
        return 0;
    case I2C_SMBUS:
        call.clientAddress = static_cast<int>(node.address);
        return smbus(adapter, *reinterpret_cast<const i2c_smbus_ioctl_data*>(arg), call);
    case I2C_RDWR:
        return rdwr(adapter, *reinterpret_cast<const i2c_rdwr_ioctl_data*>(arg), call);
    default:
        return -ENOTTY;
    }
}

bool installFakeBackend(std::string_view name, std::shared_ptr<FakeKernelBus> kernel)
{
    auto backend = createBackend(name, std::move(kernel));
    if (!backend)
        return false;
    installBackend(std::move(backend));
    return true;
}

} // namespace ptx::i2cdev
