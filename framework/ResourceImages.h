// Bitmaps and icons by resource id, made by the resource layer and used by the templates.
#pragma once

#include <QIcon>
#include <QPixmap>

#include <functional>

// A bitmap for a screen of the given device pixel ratio, carrying the ratio it was made for.
using BitmapFactory = std::function<QPixmap(qreal devicePixelRatio)>;
using IconFactory = QIcon (*)();

void registerBitmap(int bitmapId, BitmapFactory factory);
void registerIcon(int iconId, IconFactory factory);
// A null pixmap or icon when nothing is registered under the id.
QPixmap loadBitmap(int bitmapId, qreal devicePixelRatio = 1);
QIcon loadIcon(int iconId);
