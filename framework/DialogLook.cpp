#include "DialogLook.h"

#include <QApplication>
#include <QStyleFactory>

namespace {
constexpr int dialogFontPixels = 11;
}

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
