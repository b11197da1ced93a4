#include "CustomDrawSlider.h"

CustomDrawSlider::CustomDrawSlider(std::function<void()> onPaint, QWidget* parent)
    : QSlider(Qt::Horizontal, parent)
    , m_onPaint(std::move(onPaint))
{
    setTickPosition(QSlider::NoTicks);
}

void CustomDrawSlider::paintEvent(QPaintEvent* event)
{
    m_onPaint();
    QSlider::paintEvent(event);
}
