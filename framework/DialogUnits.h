// Dialog units to pixels through the dialog font's base units.
#pragma once

#include "DialogTemplate.h"

#include <QRect>
#include <QSize>

class QFont;

class DialogUnits {
public:
    // Base units measured from `font`: the average width of the 52 letters A-Z a-z, and the line height
    // (ascent and descent each rounded up).
    explicit DialogUnits(const QFont& font);
    DialogUnits(int baseX, int baseY);

    int baseX() const { return m_baseX; }
    int baseY() const { return m_baseY; }

    // A horizontal unit is a quarter of baseX, a vertical one an eighth of baseY; halves round away from zero.
    int toPixelsX(int units) const;
    int toPixelsY(int units) const;
    QRect toPixels(const DialogRect& rect) const;
    QSize toPixels(int cx, int cy) const;

private:
    int m_baseX;
    int m_baseY;
};
