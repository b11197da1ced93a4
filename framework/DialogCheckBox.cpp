#include "DialogCheckBox.h"

#include <QStyleOptionButton>

DialogCheckBox::DialogCheckBox(const QString& caption, QWidget* parent)
    : QCheckBox(caption, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

bool DialogCheckBox::hitButton(const QPoint& pos) const
{
    return rect().contains(pos);
}

void DialogCheckBox::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    m_picture.paint(*this, option, option.text, option.features,
        [&](QPainter& painter) { style()->drawControl(QStyle::CE_CheckBox, &option, &painter, this); });
}
