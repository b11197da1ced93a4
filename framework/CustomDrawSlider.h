// A horizontal slider without tick marks that reports the start of every paint.
#pragma once

#include "StylePicture.h"

#include <QSlider>

#include <functional>

class CustomDrawSlider : public QSlider {
    Q_OBJECT

public:
    CustomDrawSlider(std::function<void()> onPaint, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void()> m_onPaint;
    // The groove and the focus frame, which stay while the handle moves.
    StylePicture m_groove;
};
