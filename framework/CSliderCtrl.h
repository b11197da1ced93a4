// A horizontal slider (trackbar), bound by DDX_Control.
#pragma once

#include "CWnd.h"

class CSliderCtrl : public CWnd {
public:
    int GetPos() const;
    // Moves the thumb (kept inside the range) and redraws the slider.
    void SetPos(int position);
    void SetRange(int minimum, int maximum, bool redraw = false);
    void SetRangeMin(int minimum, bool redraw = false);
    void SetRangeMax(int maximum, bool redraw = false);
    int GetRangeMin() const;
    int GetRangeMax() const;
    void SetTicFreq(int frequency);
};
