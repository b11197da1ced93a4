#include "DialogUnits.h"

#include <QFontMetrics>

#include <cmath>

namespace {

int mulDiv(int value, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

int averageLetterWidth(const QFont& font)
{
    const int total
        = QFontMetrics(font).horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (total / 26 + 1) / 2;
}

// Ascent and descent each rounded up, as the platform's text metrics do: the descenders of a text
// as high as one line then stay inside it.
int lineHeight(const QFont& font)
{
    const QFontMetricsF metrics(font);
    return static_cast<int>(std::ceil(metrics.ascent()) + std::ceil(metrics.descent()));
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(averageLetterWidth(font), lineHeight(font))
{
}

DialogUnits::DialogUnits(int baseX, int baseY)
    : m_baseX(baseX)
    , m_baseY(baseY)
{
}

int DialogUnits::toPixelsX(int units) const
{
    return mulDiv(units, m_baseX, 4);
}

int DialogUnits::toPixelsY(int units) const
{
    return mulDiv(units, m_baseY, 8);
}

QRect DialogUnits::toPixels(const DialogRect& rect) const
{
    return { toPixelsX(rect.x), toPixelsY(rect.y), toPixelsX(rect.cx), toPixelsY(rect.cy) };
}

QSize DialogUnits::toPixels(int cx, int cy) const
{
    return { toPixelsX(cx), toPixelsY(cy) };
}
