#include "ResourceImagesSetup.h"

#include "DrawnImageFiles.h"
#include "RawImage.h"
#include "ResourceIds.h"
#include "framework/ResourceImages.h"

#include <QResource>

namespace {

// The pictures are drawn at build time and only loaded here.
QPixmap resource(const QString& file)
{
    const QResource resource(QStringLiteral(":/res/") + file);
    return QPixmap::fromImage(fromRawImage(resource.uncompressedData()));
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : windowIconSizes)
        icon.addPixmap(resource(windowIconFile(size)));
    return icon;
}

} // namespace

void registerResourceImages(bool simulatedBoard)
{
    registerIcon(IDR_MAINFRAME, appIcon);
    registerBitmap(IDB_BOOST_GUIDE, [] { return resource(boostGuideFile); });
    registerBitmap(
        IDB_LOGO,
        simulatedBoard ? +[] { return resource(simulatedBoardLogoFile); } : +[] { return resource(logoFile); });
}
