#include "DialogPicture.h"

#include <QScreen>

#include <utility>

DialogPicture::DialogPicture(Make make, QWidget* parent)
    : QLabel(parent)
    , m_make(std::move(make))
    // The screen the dialog will open on: before its window exists, the widget's own ratio is the largest
    // of all screens.
    , m_devicePixelRatio(screen()->devicePixelRatio())
{
    setPixmap(m_make(m_devicePixelRatio));
}

void DialogPicture::paintEvent(QPaintEvent* event)
{
    // The window may have moved to a screen with another ratio. The ratio asked for is kept rather than the
    // image's: an icon's image may come in another size and so carry another ratio.
    if (const qreal ratio = devicePixelRatioF(); ratio != m_devicePixelRatio) {
        m_devicePixelRatio = ratio;
        setPixmap(m_make(ratio));
    }
    QLabel::paintEvent(event);
}
