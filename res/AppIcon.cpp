#include "AppIcon.h"

#include "ImageFont.h"
#include "LedGlyph.h"

#include <QLinearGradient>
#include <QPainter>

namespace {

// The design is drawn on a 64 x 64 grid and scaled to the requested size.
constexpr qreal gridSize = 64.0;
// Below this size the lettering would be unreadable, so only the LEDs are drawn, larger.
constexpr int smallestLetteredSize = 32;

} // namespace

void paintAppIcon(QPainter& painter, int size)
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / gridSize, size / gridSize);

    QLinearGradient body(0, 0, 0, gridSize);
    body.setColorAt(0.0, QColor(46, 86, 140));
    body.setColorAt(1.0, QColor(16, 34, 60));
    painter.setPen(QPen(QColor(10, 22, 40), 2.0));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    if (size < smallestLetteredSize) {
        for (int row = 0; row < 2; ++row) {
            for (int column = 0; column < 3; ++column)
                paintLed(painter, QPointF(14 + 18 * column, 22 + 20 * row), 7);
        }
        return;
    }

    painter.setFont(imageFont(30, true));
    painter.setPen(Qt::white);
    painter.drawText(QRectF(2, 4, 60, 34), Qt::AlignCenter, QStringLiteral("KV"));
    for (int led = 0; led < 6; ++led)
        paintLed(painter, QPointF(9.5 + 9 * led, 47), 3.6);
}

QPixmap paintAppIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paintAppIcon(painter, size);
    return pixmap;
}
