#include "ResourceImages.h"

#include <map>
#include <utility>

namespace {

std::map<int, BitmapFactory>& bitmapFactories()
{
    static std::map<int, BitmapFactory> factories;
    return factories;
}

std::map<int, IconFactory>& iconFactories()
{
    static std::map<int, IconFactory> factories;
    return factories;
}

template <class Image, class Factory, class... Arguments>
Image load(const std::map<int, Factory>& factories, int id, Arguments... arguments)
{
    const auto found = factories.find(id);
    return found == factories.end() ? Image() : found->second(arguments...);
}

} // namespace

void registerBitmap(int bitmapId, BitmapFactory factory)
{
    bitmapFactories()[bitmapId] = std::move(factory);
}

void registerIcon(int iconId, IconFactory factory)
{
    iconFactories()[iconId] = factory;
}

QPixmap loadBitmap(int bitmapId, qreal devicePixelRatio)
{
    return load<QPixmap>(bitmapFactories(), bitmapId, devicePixelRatio);
}

QIcon loadIcon(int iconId)
{
    return load<QIcon>(iconFactories(), iconId);
}
