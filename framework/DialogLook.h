// The dialogs' font and widget style: a metric stand-in for the 8-point dialog font and a 3D look.
#pragma once

#include <QFont>

class QApplication;

// Liberation Sans at a fixed pixel size, so layouts do not depend on the screen's dpi.
QFont dialogFont();
// Sets the style whose group boxes carry their titles in the frame's top edge, and the dialog font.
void applyDialogLook(QApplication& application);
