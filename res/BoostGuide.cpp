#include "BoostGuide.h"

#include "BlankPicture.h"
#include "ImageFont.h"

#include <QPainter>

namespace {

struct GuideRow {
    const char* frequency; // empty in the second and third row of a block
    const char* inductor;
    const char* option;
};

constexpr GuideRow rows[] = {
    { "500", "10", "1" },
    { "", "15", "1" },
    { "", "22", "0" },
    { "1000", "4.7", "1" },
    { "", "6.8", "1" },
    { "", "10", "0" },
};
constexpr int rowsPerBlock = 3;

// Column edges and row heights in pixels: two heading lines, then six rows that fill the picture.
// The rows are too low for rules between them; only the two blocks are ruled apart.
constexpr int columnEdges[] = { 0, 72, 140, boostGuideWidth };
constexpr int headingHeight = 22;
constexpr int rowHeight = (boostGuideHeight - headingHeight) / 6;

const QColor gridColour(150, 150, 150);
const QColor ruleColour(0, 0, 0);

QRect cell(int column, int top, int height)
{
    return QRect(columnEdges[column], top, columnEdges[column + 1] - columnEdges[column], height);
}

} // namespace

QPixmap paintBoostGuide(qreal devicePixelRatio)
{
    QPixmap pixmap = blankPicture(QSize(boostGuideWidth, boostGuideHeight), devicePixelRatio, Qt::white);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setPen(Qt::black);
    painter.setFont(imageFont(9, true));
    painter.drawText(cell(0, 0, headingHeight), Qt::AlignCenter, QStringLiteral("fSW [kHz]"));
    painter.drawText(cell(1, 0, headingHeight), Qt::AlignCenter, QStringLiteral("L [\u00B5H]"));
    painter.drawText(
        cell(2, 0, headingHeight), Qt::AlignCenter, QStringLiteral("Suggested Boost\nCompensation Option"));

    painter.setFont(imageFont(9));
    for (int row = 0; row < 6; ++row) {
        const int top = headingHeight + row * rowHeight;
        const GuideRow& guideRow = rows[row];
        painter.setPen(Qt::black);
        painter.drawText(cell(0, top, rowHeight), Qt::AlignCenter, QString::fromLatin1(guideRow.frequency));
        painter.drawText(cell(1, top, rowHeight), Qt::AlignCenter, QString::fromLatin1(guideRow.inductor));
        painter.drawText(cell(2, top, rowHeight), Qt::AlignCenter, QString::fromLatin1(guideRow.option));
    }

    // Lines are filled rectangles one pixel thick: a pen's aliased line lies half a pixel off its place on a
    // screen with another device pixel ratio.
    const auto rowRule
        = [&](int y, const QColor& colour) { painter.fillRect(QRect(0, y, boostGuideWidth, 1), colour); };
    const auto columnRule
        = [&](int x, const QColor& colour) { painter.fillRect(QRect(x, 0, 1, boostGuideHeight), colour); };
    rowRule(headingHeight - 1, ruleColour);
    rowRule(headingHeight + rowsPerBlock * rowHeight, ruleColour);
    for (int edge = 1; edge < 3; ++edge)
        columnRule(columnEdges[edge], gridColour);
    // The frame.
    rowRule(0, ruleColour);
    rowRule(boostGuideHeight - 1, ruleColour);
    columnRule(0, ruleColour);
    columnRule(boostGuideWidth - 1, ruleColour);
    return pixmap;
}
