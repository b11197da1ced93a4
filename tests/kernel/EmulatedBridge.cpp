#include "EmulatedBridge.h"

#include "Shell.h"

#include <csignal>
#include <fstream>
#include <thread>

#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kGadgets = "/sys/kernel/config/usb_gadget";

bool startsWith(const fs::path& path, const std::string& prefix)
{
    return path.filename().string().rfind(prefix, 0) == 0;
}

// The first entry of `folder` whose name starts with `prefix`, or empty.
fs::path child(const fs::path& folder, const std::string& prefix)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (startsWith(it->path(), prefix))
            return it->path();
    return {};
}

} // namespace

EmulatedBridge::EmulatedBridge(std::string name, std::string serial)
    : name_(std::move(name))
    , serial_(std::move(serial))
    , folder_(fs::path("/run/bridges") / name_)
{
    fs::create_directories(folder_);
}

// Unplugged and taken apart, which frees its gadget node for another bridge.
EmulatedBridge::~EmulatedBridge()
{
    unplug();
    if (board_ > 0) {
        ::kill(board_, SIGTERM);
        ::waitpid(board_, nullptr, 0);
    }
    const fs::path gadget = kGadgets / name_;
    std::error_code ignored;
    for (const fs::path& part : { gadget / "configs/c.1/hid.0", gadget / "configs/c.1", gadget / "functions/hid.0",
             gadget / "strings/0x409", gadget })
        fs::remove(part, ignored);
}

bool EmulatedBridge::plug(int hub)
{
    const Result plugged = run(KV3124_BRIDGE_PLUG " " + name_ + ' ' + serial_ + ' ' + std::to_string(hub));
    if (plugged.status != 0)
        return false;
    hub_ = hub;
    if (board_ > 0)
        return true;
    const std::string node = plugged.output.substr(0, plugged.output.find('\n'));
    const std::string folder = folder_.string();
    board_ = ::fork();
    if (board_ == 0) {
        ::execl(KV3124_BRIDGE_EMULATOR, KV3124_BRIDGE_EMULATOR, node.c_str(), folder.c_str(), nullptr);
        ::_exit(127);
    }
    return board_ > 0;
}

void EmulatedBridge::unplug()
{
    std::ofstream(kGadgets / name_ / "UDC") << '\n';
}

fs::path EmulatedBridge::hidDevice() const
{
    // dummy_hcd.N/usbB/B-1/B-1:1.0/0003:04D8:00DD.I
    const fs::path device = usbDevice();
    return device.empty() ? fs::path() : child(device / (port() + ":1.0"), "0003:04D8:00DD.");
}

fs::path EmulatedBridge::usbDevice() const
{
    const fs::path rootHub = child("/sys/devices/platform/dummy_hcd." + std::to_string(hub_), "usb");
    return rootHub.empty() ? fs::path() : rootHub / (rootHub.filename().string().substr(3) + "-1");
}

std::string EmulatedBridge::waitFor(bool gpio, std::chrono::seconds limit)
{
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (const fs::path device = hidDevice(); !device.empty() && (!gpio || !child(device, "gpiochip").empty()))
            if (const fs::path adapter = child(device, "i2c-"); !adapter.empty())
                return adapter.filename().string();
        if (std::chrono::steady_clock::now() > until)
            return {};
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

std::string EmulatedBridge::waitForAdapter(std::chrono::seconds limit)
{
    return waitFor(false, limit);
}

std::string EmulatedBridge::waitUntilReady(std::chrono::seconds limit)
{
    return waitFor(true, limit);
}

std::chrono::milliseconds EmulatedBridge::pluggedInFor() const
{
    long long milliseconds = 0;
    std::ifstream(usbDevice() / "power/connected_duration") >> milliseconds;
    return std::chrono::milliseconds(milliseconds);
}

std::array<int, 256> EmulatedBridge::registers() const
{
    std::array<int, 256> registers {};
    std::ifstream in(folder_ / "registers");
    for (auto& value : registers)
        in >> std::hex >> value;
    return registers;
}

std::vector<std::string> EmulatedBridge::newRecord()
{
    std::vector<std::string> lines;
    std::ifstream in(folder_ / "record");
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::vector<std::string> fresh(lines.begin() + static_cast<long>(std::min(seen_, lines.size())), lines.end());
    seen_ = lines.size();
    return fresh;
}

void EmulatedBridge::fault(const std::string& word) const
{
    std::ofstream(folder_ / "fault") << word << '\n';
}

// Under the board's lock, so that a setting added while the board takes the earlier ones is not lost.
void EmulatedBridge::set(int reg, int value) const
{
    const int lock = ::open((folder_ / "set.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ::flock(lock, LOCK_EX);
    std::ofstream(folder_ / "set", std::ios::app) << std::hex << reg << ' ' << value << '\n';
    ::close(lock);
}

std::vector<std::string> dataWrites(const std::vector<std::string>& lines)
{
    std::vector<std::string> found;
    for (const auto& line : lines)
        if (line.rfind("write ", 0) == 0 && line.size() > 8)
            found.push_back(line);
    return found;
}
