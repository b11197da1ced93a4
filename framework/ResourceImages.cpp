#include "ResourceImages.h"

#include <map>

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

template <class Image, class Factory> Image load(const std::map<int, Factory>& factories, int id)
{
    const auto found = factories.find(id);
    return found == factories.end() ? Image() : found->second();
}

} // namespace

void registerBitmap(int bitmapId, BitmapFactory factory)
{
    bitmapFactories()[bitmapId] = factory;
}

void registerIcon(int iconId, IconFactory factory)
{
    iconFactories()[iconId] = factory;
}

QPixmap loadBitmap(int bitmapId)
{
    return load<QPixmap>(bitmapFactories(), bitmapId);
}

QIcon loadIcon(int iconId)
{
    return load<QIcon>(iconFactories(), iconId);
}
