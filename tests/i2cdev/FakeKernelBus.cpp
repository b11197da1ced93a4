#include "FakeKernelBus.h"

#include "ptx/Backend.h"
#include "ptx/i2cdev/I2cDevBackend.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <utility>

namespace ptx::i2cdev {

namespace {

void writeFile(const std::filesystem::path& file, const std::string& text)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

std::string busDir(int number)
{
    return "i2c-" + std::to_string(number);
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

std::filesystem::path FakeKernelBus::adapterFile(int number) const
{
    return sysRoot() / "class/i2c-adapter" / busDir(number) / "name";
}

std::filesystem::path FakeKernelBus::classDevFile(int number) const
{
    return sysRoot() / "class/i2c-dev" / busDir(number) / "name";
}

FakeKernelBus::Adapter& FakeKernelBus::plug(int number, Adapter adapter)
{
    // sysfs name files end in a newline, as the kernel writes them.
    writeFile(adapterFile(number), adapter.name + "\n");
    if (adapter.withNode) {
        writeFile(classDevFile(number), adapter.name + "\n");
        writeFile(devRoot() / busDir(number), "");
    }
    auto& stored = buses_[number];
    stored = std::make_shared<Adapter>(std::move(adapter));
    return *stored;
}

void FakeKernelBus::unplug(int number, int error)
{
    std::filesystem::remove_all(adapterFile(number).parent_path());
    std::filesystem::remove_all(classDevFile(number).parent_path());
    std::filesystem::remove(devRoot() / busDir(number));
    for (auto& [fd, node] : nodes_) {
        if (node.bus == number)
            node.unpluggedError = error;
    }
    unplugged_ = buses_.at(number);
    buses_.erase(number);
}

FakeKernelBus::Adapter& FakeKernelBus::replug(int number)
{
    Adapter& adapter = plug(number, *unplugged_);
    unplugged_.reset();
    return adapter;
}

std::vector<FakeKernelBus::Call> FakeKernelBus::callsOf(unsigned long request) const
{
    std::vector<Call> found;
    for (const Call& call : calls_) {
        if (call.request == request)
            found.push_back(call);
    }
    return found;
}

int FakeKernelBus::open(const std::filesystem::path& path)
{
    openAttempts_.push_back(path);
    if (!std::filesystem::exists(path))
        return -ENOENT;
    const auto number = std::stoi(path.filename().string().substr(4));
    const auto& adapter = buses_.at(number);
    if (adapter->openError)
        return -adapter->openError;
    const int fd = nextFd_++;
    nodes_[fd] = Node { number, adapter };
    return fd;
}

void FakeKernelBus::close(int fd)
{
    nodes_.erase(fd);
}

int FakeKernelBus::ioctl(int fd, unsigned long request, unsigned long arg)
{
    const auto found = nodes_.find(fd);
    if (found == nodes_.end())
        return -EBADF;
    Node& node = found->second;
    Call call { .bus = node.bus, .request = request };
    const auto finish = [&](int result) {
        calls_.push_back(call);
        return result;
    };
    if (request == I2C_SLAVE || request == I2C_SLAVE_FORCE)
        call.value = arg;
    if (node.unpluggedError)
        return finish(-node.unpluggedError);

    Adapter& adapter = *node.adapter;
    switch (request) {
    case I2C_FUNCS:
        *reinterpret_cast<unsigned long*>(arg) = adapter.functions;
        return finish(0);
    case I2C_SLAVE:
        if (arg > 0x7F)
            return finish(-EINVAL);
        if (adapter.driverAddresses.contains(arg))
            return finish(-EBUSY);
        node.address = arg;
        return finish(0);
    case I2C_SLAVE_FORCE:
        node.address = arg;
        return finish(0);
    case I2C_SMBUS:
        return finish(smbus(node, *reinterpret_cast<const i2c_smbus_ioctl_data*>(arg), call));
    case I2C_RDWR:
        return finish(rdwr(node, *reinterpret_cast<const i2c_rdwr_ioctl_data*>(arg), call));
    default:
        return finish(-ENOTTY);
    }
}

int FakeKernelBus::transferError(Adapter& adapter, int address)
{
    if (!adapter.transferErrors.empty()) {
        const int error = adapter.transferErrors.front();
        adapter.transferErrors.pop_front();
        return error;
    }
    return address == kChipAddress && adapter.chipPresent ? 0 : ENXIO;
}

int FakeKernelBus::smbus(Node& node, const i2c_smbus_ioctl_data& request, Call& call)
{
    Adapter& adapter = *node.adapter;
    call.clientAddress = static_cast<int>(node.address);
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

int FakeKernelBus::rdwr(Node& node, const i2c_rdwr_ioctl_data& request, Call& call)
{
    Adapter& adapter = *node.adapter;
    if (!(adapter.functions & I2C_FUNC_I2C))
        return -EOPNOTSUPP;
    for (unsigned i = 0; i < request.nmsgs; ++i) {
        const i2c_msg& message = request.msgs[i];
        call.messages.push_back({ message.addr, message.flags, {} });
    }
    // One missing acknowledge ends the whole transfer, as a real controller does.
    for (unsigned i = 0; i < request.nmsgs; ++i) {
        const i2c_msg& message = request.msgs[i];
        if (const int error = transferError(adapter, message.addr))
            return -error;
        auto& logged = call.messages[i].bytes;
        if (message.flags & I2C_M_RD) {
            for (unsigned n = 0; n < message.len; ++n)
                message.buf[n] = adapter.registers[adapter.registerPointer++];
            logged.assign(message.buf, message.buf + message.len);
            continue;
        }
        logged.assign(message.buf, message.buf + message.len);
        if (message.len > 0)
            adapter.registerPointer = message.buf[0];
        for (unsigned n = 1; n < message.len; ++n)
            adapter.registers[adapter.registerPointer++] = message.buf[n];
    }
    return adapter.messagesCompleted >= 0 ? adapter.messagesCompleted : static_cast<int>(request.nmsgs);
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
