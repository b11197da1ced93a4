#include "RawImage.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr auto format = QImage::Format_ARGB32_Premultiplied;

struct Header {
    std::uint32_t width;
    std::uint32_t height;
};

} // namespace

QByteArray toRawImage(const QImage& image)
{
    const QImage pixels = image.convertToFormat(format);
    const Header header { static_cast<std::uint32_t>(pixels.width()), static_cast<std::uint32_t>(pixels.height()) };
    QByteArray raw(reinterpret_cast<const char*>(&header), sizeof header);
    raw.append(reinterpret_cast<const char*>(pixels.constBits()), pixels.sizeInBytes());
    return raw;
}

QImage fromRawImage(QByteArrayView data)
{
    Header header {};
    if (data.size() < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, data.data(), sizeof header);
    QImage image(int(header.width), int(header.height), format);
    if (image.isNull() || data.size() != qsizetype(sizeof header) + image.sizeInBytes())
        return {};
    std::memcpy(image.bits(), data.data() + sizeof header, std::size_t(image.sizeInBytes()));
    return image;
}
