#include "DialogLook.h"

#include <QApplication>
#include <QStyleFactory>

namespace {
// Gives base units of 6 x 13, those of the 8-point dialog font at 96 dpi, and every caption fits its
// control; at 11 px a few labels lose their last pixels.
constexpr int dialogFontPixels = 10;
} // namespace

QFont dialogFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(dialogFontPixels);
    return font;
}

void applyDialogLook(QApplication& application)
{
    application.setStyle(QStyleFactory::create(QStringLiteral("Windows")));
    application.setFont(dialogFont());
}
