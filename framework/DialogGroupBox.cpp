#include "DialogGroupBox.h"

#include <QStyleOptionGroupBox>

DialogGroupBox::DialogGroupBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DialogGroupBox::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    m_picture.paint(*this, option, option.text, 0,
        [&](QPainter& painter) { style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this); });
}
