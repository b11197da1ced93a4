// A horizontal slider without tick marks that reports the start of every paint.
#pragma once

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
};
