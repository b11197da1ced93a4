#include "CustomDrawSlider.h"

#include <QPainter>
#include <QStyleOptionSlider>

CustomDrawSlider::CustomDrawSlider(std::function<void()> onPaint, QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
    , m_onPaint(std::move(onPaint))
{
    setTickPosition(QSlider::NoTicks);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CustomDrawSlider::paintEvent(QPaintEvent* /*event*/)
{
    m_onPaint();
    QStyleOptionSlider option;
    initStyleOption(&option);
    option.subControls = QStyle::SC_SliderGroove;
    m_groove.paint(*this, option, {}, 0,
        [&](QPainter& painter) { style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this); });
    // The handle paints every pixel of its own shape, so drawn over the groove's picture it looks as drawn
    // over the groove.
    option.subControls = QStyle::SC_SliderHandle;
    QPainter painter(this);
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}
