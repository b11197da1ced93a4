// Bitmaps and icons by resource id, made by the resource layer and used by the templates.
#pragma once

#include <QIcon>
#include <QPixmap>

using BitmapFactory = QPixmap (*)();
using IconFactory = QIcon (*)();

void registerBitmap(int bitmapId, BitmapFactory factory);
void registerIcon(int iconId, IconFactory factory);
// A null pixmap or icon when nothing is registered under the id.
QPixmap loadBitmap(int bitmapId);
QIcon loadIcon(int iconId);
