#include "LedGlyph.h"

#include <QRadialGradient>

void paintLed(QPainter& painter, QPointF centre, qreal radius)
{
    // Highlight off-centre towards the top left, so the dot reads as a lens.
    QRadialGradient glow(centre, radius, centre - QPointF(radius / 3, radius / 3));
    glow.setColorAt(0.0, QColor(255, 246, 200));
    glow.setColorAt(0.6, QColor(255, 190, 40));
    glow.setColorAt(1.0, QColor(220, 130, 0));
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}
