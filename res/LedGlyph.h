// One lit LED, the motif that the icon and the logo share.
#pragma once

#include <QPainter>
#include <QPointF>

void paintLed(QPainter& painter, QPointF centre, qreal radius);
