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
    // The ratio this paint goes to is the window's screen's; the ratio asked for is kept, not the image's,
    // which an icon may have in another size.
    if (const qreal ratio = devicePixelRatioF(); ratio != m_devicePixelRatio) {
        m_devicePixelRatio = ratio;
        setPixmap(m_make(ratio));
    }
    QLabel::paintEvent(event);
}
