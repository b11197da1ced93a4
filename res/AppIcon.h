// Icon 132, the application icon: a chip with the driver's six LED outputs.
#pragma once

#include <QPainter>
#include <QPixmap>

// Draws the icon on the square from (0, 0) to (size, size) of the painter's device.
void paintAppIcon(QPainter& painter, int size);
QPixmap paintAppIcon(int size);
