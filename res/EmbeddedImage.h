// The pictures drawn at build time, as the program embeds them.
#pragma once

#include <QPixmap>
#include <QString>

// `file` is one of DrawnImageFiles.h's raw images; a null pixmap if it is not embedded.
QPixmap embeddedImage(const QString& file);
