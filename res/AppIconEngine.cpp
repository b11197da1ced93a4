#include "AppIconEngine.h"

#include "AppIcon.h"
#include "DrawnImageFiles.h"
#include "EmbeddedImage.h"

#include <QPainter>

#include <algorithm>

QPixmap AppIconEngine::pixmap(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/)
{
    const int edge = std::min(size.width(), size.height());
    if (edge <= 0)
        return {};
    return std::ranges::find(windowIconSizes, edge) != windowIconSizes.end() ? embeddedImage(windowIconFile(edge))
                                                                             : paintAppIcon(edge);
}

void AppIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state)
{
    const qreal ratio = painter->device()->devicePixelRatioF();
    QPixmap icon = pixmap(rect.size() * ratio, mode, state);
    icon.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect.topLeft(), icon);
}

QList<QSize> AppIconEngine::availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/)
{
    QList<QSize> sizes;
    for (int size : windowIconSizes)
        sizes.append(QSize(size, size));
    return sizes;
}

QIconEngine* AppIconEngine::clone() const
{
    return new AppIconEngine;
}
