#include "Logo.h"

#include "BlankPicture.h"
#include "ImageFont.h"
#include "LedGlyph.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>

namespace {

const QColor ink(20, 44, 80);

void paintSimulatedBoardTag(QPainter& painter)
{
    const QString label = QStringLiteral("Simulated board");
    const QFont font = imageFont(10, true);
    const int width = QFontMetrics(font).horizontalAdvance(label) + 10;
    const QRectF tag(logoWidth - 6 - width, logoHeight - 20, width, 15);
    painter.setPen(QPen(QColor(170, 80, 0), 1.0));
    painter.setBrush(QColor(240, 130, 20));
    painter.drawRoundedRect(tag, 4, 4);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(tag, Qt::AlignCenter, label);
}

} // namespace

QPixmap paintLogo(bool simulatedBoard, qreal devicePixelRatio)
{
    QPixmap pixmap = blankPicture(QSize(logoWidth, logoHeight), devicePixelRatio, Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, logoHeight);
    background.setColorAt(0.0, Qt::white);
    background.setColorAt(1.0, QColor(222, 232, 245));
    painter.setPen(QPen(QColor(150, 172, 200), 1.0));
    painter.setBrush(background);
    painter.drawRoundedRect(QRectF(0.5, 0.5, logoWidth - 1, logoHeight - 1), 8, 8);

    painter.setPen(ink);
    painter.setFont(imageFont(36, true));
    painter.drawText(QPointF(14, 44), QStringLiteral("KV3124"));
    painter.setFont(imageFont(13));
    painter.drawText(QPointF(16, 66), QStringLiteral("Backlight LED Driver"));

    // The driver's six outputs, two rows of three.
    for (int led = 0; led < 6; ++led)
        paintLed(painter, QPointF(170 + 21 * (led % 3), 24 + 21 * (led / 3)), 7);

    if (simulatedBoard)
        paintSimulatedBoardTag(painter);
    return pixmap;
}
