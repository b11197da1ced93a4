#include "framework/ResourceImages.h"
#include "res/AppIcon.h"
#include "res/BoostGuide.h"
#include "res/Logo.h"
#include "res/ResourceIds.h"
#include "res/ResourceImagesSetup.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Anti-aliased glyphs have few fully black pixels, so any clearly grey pixel counts as ink.
bool isInk(QRgb pixel)
{
    return qGray(pixel) < 200;
}

// Counts the bands of text lines between x0 and x1: runs of pixel rows with some ink.
// Rows inked all across are rules and end a band.
int textBands(const QImage& image, int x0, int x1)
{
    int bands = 0;
    bool inBand = false;
    for (int y = 0; y < image.height(); ++y) {
        int ink = 0;
        for (int x = x0; x < x1; ++x)
            ink += isInk(image.pixel(x, y)) ? 1 : 0;
        const bool text = ink > 0 && ink < x1 - x0;
        if (text && !inBand)
            ++bands;
        inBand = text;
    }
    return bands;
}

} // namespace

TEST(ResourceImages, AppIconHasEverySize)
{
    const QIcon icon = appIcon();
    const QList<QSize> sizes = icon.availableSizes();
    EXPECT_EQ(sizes.size(), qsizetype(appIconSizes.size()));
    for (int size : appIconSizes) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        // Rounded square: transparent corners, opaque body.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
}

TEST(ResourceImages, LogoVariants)
{
    const QImage plain = paintLogo(false).toImage();
    const QImage simulated = paintLogo(true).toImage();
    EXPECT_EQ(plain.size(), QSize(240, 84));
    EXPECT_EQ(simulated.size(), QSize(240, 84));
    EXPECT_NE(plain, simulated);
}

TEST(ResourceImages, BoostGuideTable)
{
    const QImage guide = paintBoostGuide().toImage();
    ASSERT_EQ(guide.size(), QSize(300, 82));
    EXPECT_EQ(guide.pixel(150, 40), qRgb(255, 255, 255));

    // Frequency column: its heading, then each frequency once for its block of three.
    EXPECT_EQ(textBands(guide, 4, 60), 3);
    // Inductor column: heading and six values.
    EXPECT_EQ(textBands(guide, 80, 130), 7);
    // Option column: the two-line heading and six values.
    EXPECT_EQ(textBands(guide, 150, 290), 8);
}

TEST(ResourceImages, RegistrationFollowsTheBoardKind)
{
    registerResourceImages();
    EXPECT_EQ(loadBitmap(IDB_LOGO).toImage(), paintLogo(false).toImage());
    EXPECT_EQ(loadBitmap(IDB_BOOST_GUIDE).size(), QSize(300, 82));
    EXPECT_EQ(loadIcon(IDR_MAINFRAME).availableSizes().size(), qsizetype(appIconSizes.size()));

    registerResourceImages(true);
    EXPECT_EQ(loadBitmap(IDB_LOGO).toImage(), paintLogo(true).toImage());
}
