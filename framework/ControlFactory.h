// Builds one control of a dialog template as a Qt widget and wires its notifications to the dialog.
#pragma once

#include "DialogTemplate.h"

class CDialog;
class DialogUnits;
class QWidget;

// The widget is a child of `parent`, placed absolutely; its signals reach `dialog.notify`.
QWidget* createControl(const ControlTemplate& control, const DialogUnits& units, QWidget& parent, CDialog& dialog);
