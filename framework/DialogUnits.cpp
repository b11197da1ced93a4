#include "DialogUnits.h"

#include <QFontMetrics>

#include <cmath>

namespace {

int mulDiv(int value, int numerator, int denominator)
{
    return static_cast<int>(std::lround(static_cast<double>(value) * numerator / denominator));
}

int averageLetterWidth(const QFontMetrics& metrics)
{
    const int total = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return (total / 26 + 1) / 2;
}

} // namespace

DialogUnits::DialogUnits(const QFont& font)
    : DialogUnits(averageLetterWidth(QFontMetrics(font)), QFontMetrics(font).height())
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
