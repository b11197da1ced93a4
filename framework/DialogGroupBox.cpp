#include "DialogGroupBox.h"

#include <QPainter>
#include <QStyleOptionGroupBox>

DialogGroupBox::DialogGroupBox(const QString& title, QWidget* parent)
    : QGroupBox(title, parent)
{
    // The kept picture covers every pixel, so nothing beneath the box needs painting.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DialogGroupBox::paintEvent(QPaintEvent* /*event*/)
{
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    Look look { option.state, option.palette.currentColorGroup(), option.palette.cacheKey(), font(), title(), size(),
        devicePixelRatioF() };
    if (look != m_look) {
        m_picture = QPixmap(size() * look.pixelRatio);
        m_picture.setDevicePixelRatio(look.pixelRatio);
        // What the dialog paints beneath a box that lets it show through.
        const QWidget& background = *window();
        m_picture.fill(background.palette().color(background.backgroundRole()));
        // The pen, background and font a painter on the box itself starts with.
        QPainter painter(&m_picture);
        painter.setPen(QPen(palette().brush(foregroundRole()), 1));
        painter.setBackground(palette().brush(backgroundRole()));
        painter.setFont(font());
        style()->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, this);
        m_look = std::move(look);
    }
    QPainter(this).drawPixmap(0, 0, m_picture);
}
