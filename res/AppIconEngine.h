// Icon 132 in whatever size a title bar, a task bar or a dialog asks for: the embedded image where one has
// that size, else drawn by the same code, so that the icon is sharp on a screen of any device pixel ratio.
#pragma once

#include <QIconEngine>

class AppIconEngine : public QIconEngine {
public:
    // Edge lengths that are not square get the square of the shorter one. The icon looks the same in every
    // mode and state.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    // The embedded sizes: what a window manager is offered.
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
};
