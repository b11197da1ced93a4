// A group box that keeps its painted frame and title and paints the dialog's background beneath them itself.
// The style lays out and shapes the title on every paint, and every control inside a box repaints the box
// behind it: with the picture kept, such a repaint is one copy and the dialog's background is not painted.
#pragma once

#include <QGroupBox>
#include <QPixmap>
#include <QStyle>

class DialogGroupBox : public QGroupBox {
    Q_OBJECT

public:
    DialogGroupBox(const QString& title, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // What the style's picture of the box depends on.
    struct Look {
        QStyle::State state;
        QPalette::ColorGroup colorGroup = QPalette::Active;
        qint64 palette = 0;
        QFont font;
        QString title;
        QSize size;
        qreal pixelRatio = 0;
        bool operator==(const Look&) const = default;
    };

    Look m_look;
    QPixmap m_picture;
};
