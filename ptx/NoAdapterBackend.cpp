#include "ptx/NoAdapterBackend.h"

namespace ptx {

namespace {
constexpr int kNoAdapter = -1;
}

int NoAdapterBackend::findControllers()
{
    return 0;
}

int NoAdapterBackend::getSerialNumber(int, char*, std::size_t)
{
    return kNoAdapter;
}

int NoAdapterBackend::open(const char*)
{
    return kNoAdapter;
}

int NoAdapterBackend::firmwareVersionRead(int, unsigned char*, int)
{
    return kNoAdapter;
}

int NoAdapterBackend::i2cControl(int, int, int, int)
{
    return kNoAdapter;
}

int NoAdapterBackend::gpioWriteControl(int, const std::array<int, 13>&)
{
    return kNoAdapter;
}

int NoAdapterBackend::powerWriteControl(int, int, int)
{
    return kNoAdapter;
}

int NoAdapterBackend::registerRead(int, int, int)
{
    return kNoAdapter;
}

int NoAdapterBackend::registerWrite(int, int, int, int)
{
    return kNoAdapter;
}

int NoAdapterBackend::close(int)
{
    return kNoAdapter;
}

} // namespace ptx
