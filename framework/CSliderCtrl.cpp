#include "CSliderCtrl.h"

#include <QSlider>

namespace {

QSlider& sliderOf(const CWnd& wnd)
{
    auto* slider = qobject_cast<QSlider*>(wnd.widget());
    Q_ASSERT_X(slider, "CSliderCtrl", "not attached to a slider");
    return *slider;
}

void redrawIf(QSlider& slider, bool redraw)
{
    if (redraw)
        slider.update();
}

} // namespace

int CSliderCtrl::GetPos() const
{
    return sliderOf(*this).value();
}

void CSliderCtrl::SetPos(int position)
{
    QSlider& slider = sliderOf(*this);
    slider.setValue(position);
    // The slider redraws even when the thumb stays where it is.
    slider.update();
}

void CSliderCtrl::SetRange(int minimum, int maximum, bool redraw)
{
    QSlider& slider = sliderOf(*this);
    slider.setRange(minimum, maximum);
    redrawIf(slider, redraw);
}

void CSliderCtrl::SetRangeMin(int minimum, bool redraw)
{
    QSlider& slider = sliderOf(*this);
    slider.setMinimum(minimum);
    redrawIf(slider, redraw);
}

void CSliderCtrl::SetRangeMax(int maximum, bool redraw)
{
    QSlider& slider = sliderOf(*this);
    slider.setMaximum(maximum);
    redrawIf(slider, redraw);
}

int CSliderCtrl::GetRangeMin() const
{
    return sliderOf(*this).minimum();
}

int CSliderCtrl::GetRangeMax() const
{
    return sliderOf(*this).maximum();
}

// Kept for completeness of the slider's state; the slider draws no tick marks.
void CSliderCtrl::SetTicFreq(int frequency)
{
    sliderOf(*this).setTickInterval(frequency);
}
