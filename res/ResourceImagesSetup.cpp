#include "ResourceImagesSetup.h"

#include "AppIcon.h"
#include "BoostGuide.h"
#include "Logo.h"
#include "ResourceIds.h"
#include "framework/ResourceImages.h"

void registerResourceImages(bool simulatedBoard)
{
    registerIcon(IDR_MAINFRAME, appIcon);
    registerBitmap(IDB_BOOST_GUIDE, paintBoostGuide);
    registerBitmap(
        IDB_LOGO, simulatedBoard ? +[] { return paintLogo(true); } : +[] { return paintLogo(false); });
}
