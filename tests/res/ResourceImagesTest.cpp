#include "framework/ResourceImages.h"
#include "res/AppIcon.h"
#include "res/BoostGuide.h"
#include "res/Logo.h"
#include "res/ResourceIds.h"
#include "res/ResourceImagesSetup.h"

#include <QImage>

#include <gtest/gtest.h>

TEST(ResourceImages, AppIconHasEverySize)
{
    registerResourceImages();
    const QIcon icon = loadIcon(IDR_MAINFRAME);
    EXPECT_EQ(icon.availableSizes().size(), qsizetype(appIconSizes.size()));
    for (int size : appIconSizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        // Rounded square: transparent corners, opaque body.
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
}

TEST(ResourceImages, LogoCarriesTheSimulatedBoardMarkOnlyWhenRegisteredSo)
{
    registerResourceImages();
    const QImage plain = loadBitmap(IDB_LOGO).toImage();
    registerResourceImages(true);
    const QImage simulated = loadBitmap(IDB_LOGO).toImage();
    EXPECT_EQ(plain.size(), QSize(240, 84));
    EXPECT_EQ(simulated.size(), QSize(240, 84));
    EXPECT_NE(plain, simulated);
    EXPECT_EQ(plain, paintLogo(false).toImage());
    EXPECT_EQ(simulated, paintLogo(true).toImage());
}

// Counts the text lines between columns x0 and x1: runs of pixel rows with some ink (any clearly grey
// pixel, as glyphs are anti-aliased). Rows inked all across are rules and end a line.
static int textLines(const QImage& image, int x0, int x1)
{
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        int ink = 0;
        for (int x = x0; x < x1; ++x)
            ink += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
        const bool text = ink > 0 && ink < x1 - x0;
        lines += text && !inLine ? 1 : 0;
        inLine = text;
    }
    return lines;
}

TEST(ResourceImages, BoostGuideShowsTheSixRowTable)
{
    registerResourceImages();
    const QImage guide = loadBitmap(IDB_BOOST_GUIDE).toImage();
    ASSERT_EQ(guide.size(), QSize(300, 82));
    EXPECT_EQ(guide, paintBoostGuide().toImage());
    // Frequency: heading, then each frequency once for its block of three rows.
    EXPECT_EQ(textLines(guide, 4, 60), 3);
    // Inductor: heading and six values.
    EXPECT_EQ(textLines(guide, 80, 130), 7);
    // Option: the two-line heading and six values.
    EXPECT_EQ(textLines(guide, 150, 290), 8);
}
