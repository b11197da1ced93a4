#include "ResourceImagesSetup.h"

#include "AppIconEngine.h"
#include "BoostGuide.h"
#include "DrawnImageFiles.h"
#include "EmbeddedImage.h"
#include "Logo.h"
#include "ResourceIds.h"
#include "framework/ResourceImages.h"

namespace {

// On a screen of ratio 1 the picture drawn at build time, only loaded; on any other the same drawing code
// at the screen's ratio, which costs only there.
template <class Draw> BitmapFactory picture(const char* file, Draw draw)
{
    return [file, draw](qreal devicePixelRatio) {
        return devicePixelRatio == 1 ? embeddedImage(QString::fromLatin1(file)) : draw(devicePixelRatio);
    };
}

} // namespace

void registerResourceImages(bool simulatedBoard)
{
    registerIcon(IDR_MAINFRAME, [] { return QIcon(new AppIconEngine); });
    registerBitmap(IDB_BOOST_GUIDE, picture(boostGuideFile, paintBoostGuide));
    registerBitmap(IDB_LOGO,
        picture(simulatedBoard ? simulatedBoardLogoFile : logoFile,
            [simulatedBoard](qreal devicePixelRatio) { return paintLogo(simulatedBoard, devicePixelRatio); }));
}
