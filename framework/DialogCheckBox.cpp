#include "DialogCheckBox.h"

DialogCheckBox::DialogCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent)
{
}

bool DialogCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}
