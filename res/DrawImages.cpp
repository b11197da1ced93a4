// Draws the pictures into the folder given first: the logo, the boost-compensation guide and the window
// icon as raw images for the program to embed, and the icon theme's files, a PNG for each edge length
// given after the folder and one SVG.
#include "AppIcon.h"
#include "BoostGuide.h"
#include "DrawnImageFiles.h"
#include "Logo.h"
#include "RawImage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSvgGenerator>

#include <cstdio>

namespace {

// The design grid of the icon, where it carries its lettering.
constexpr int svgSize = 64;

bool makeFolderFor(const QString& path)
{
    return QDir().mkpath(QFileInfo(path).path());
}

bool savePng(const QPixmap& pixmap, const QString& path)
{
    return makeFolderFor(path) && pixmap.save(path, "PNG");
}

bool saveRaw(const QPixmap& pixmap, const QString& path)
{
    QFile file(path);
    const QByteArray raw = toRawImage(pixmap.toImage());
    return makeFolderFor(path) && file.open(QIODevice::WriteOnly) && file.write(raw) == raw.size();
}

bool saveSvgIcon(const QString& path)
{
    if (!makeFolderFor(path))
        return false;
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(svgSize, svgSize));
    svg.setViewBox(QRect(0, 0, svgSize, svgSize));
    svg.setTitle(QStringLiteral("KV3124 Evaluation Software"));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintAppIcon(painter, svgSize);
    return painter.end();
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [ICON-SIZE...]\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    bool saved = saveRaw(paintLogo(false), folder + logoFile)
        && saveRaw(paintLogo(true), folder + simulatedBoardLogoFile)
        && saveRaw(paintBoostGuide(), folder + boostGuideFile) && saveSvgIcon(folder + appIconSvgFile);
    for (int size : windowIconSizes)
        saved = saved && saveRaw(paintAppIcon(size), folder + windowIconFile(size));
    for (int i = 2; i < argc && saved; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        saved = size > 0 && savePng(paintAppIcon(size), folder + appIconFile(size));
    }
    if (!saved)
        std::fprintf(stderr, "%s: cannot draw the images into %s\n", argv[0], argv[1]);
    return saved ? 0 : 1;
}
