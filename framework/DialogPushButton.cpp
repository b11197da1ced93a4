#include "DialogPushButton.h"

#include <QStyleOptionButton>

DialogPushButton::DialogPushButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DialogPushButton::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    m_picture.paint(*this, option, option.text, option.features,
        [&](QPainter& painter) { style()->drawControl(QStyle::CE_PushButton, &option, &painter, this); });
}
