// The form the program embeds its pictures in: width and height as two native 32-bit numbers, then the
// rows of premultiplied ARGB32 pixels. It loads with one copy, where decoding a PNG costs millions of
// instructions at every start.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

QByteArray toRawImage(const QImage& image);
// A null image when `data` is not a whole raw image.
QImage fromRawImage(QByteArrayView data);
