#include "EmbeddedImage.h"

#include "RawImage.h"

#include <QResource>

QPixmap embeddedImage(const QString& file)
{
    const QResource resource(QStringLiteral(":/res/") + file);
    return QPixmap::fromImage(fromRawImage(resource.uncompressedData()));
}
