// A picture control (a bitmap or an icon): the image made for the device pixel ratio of the screen its window
// is on, and made again when the window moves to a screen with another ratio, so it stays as sharp as the
// text beside it rather than stretched.
#pragma once

#include <QLabel>

#include <functional>

class DialogPicture : public QLabel {
public:
    // `make` returns the image for a ratio, carrying that ratio; its size in the window's pixels is the
    // control's.
    using Make = std::function<QPixmap(qreal devicePixelRatio)>;

    DialogPicture(Make make, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Make m_make;
    qreal m_devicePixelRatio;
};
