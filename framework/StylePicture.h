// The style's pictures of one control in its last few states, copied onto the control at every paint. The
// style measures and shapes a caption on every paint, and a control that lets what lies beneath show through
// has that painted first, a group box's frame and title included. A kept picture starts from the dialog's
// background instead, so its control can be opaque (Qt::WA_OpaquePaintEvent); that looks the same as long as
// such a control overlaps only the dialog's background, the inside of a group box included.
#pragma once

#include <QFont>
#include <QPixmap>
#include <QStyle>

#include <functional>
#include <vector>

class StylePicture {
public:
    // `features` are the option's own flags beyond its state (a push button's default look).
    void paint(QWidget& control, const QStyleOption& option, const QString& text, int features,
        const std::function<void(QPainter&)>& draw);

private:
    struct Key {
        QStyle::State state;
        int features = 0;
        QPalette::ColorGroup colorGroup = QPalette::Active;
        qint64 palette = 0;
        QFont font;
        QString text;
        QSize size;
        qreal pixelRatio = 0;
        bool operator==(const Key&) const = default;
    };

    struct Picture {
        Key key;
        QPixmap pixmap;
    };

    // A pressed button, a checked box: a click passes through up to four states.
    static constexpr std::size_t kept = 4;
    std::vector<Picture> m_pictures; // the latest used first
};
