// The font the resource pictures are drawn with, sized in pixels so that they do not depend on the screen's dpi.
#pragma once

#include <QFont>

QFont imageFont(int pixelSize, bool bold = false);
