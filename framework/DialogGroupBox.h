// A group box that keeps its painted frame and title (see StylePicture).
#pragma once

#include "StylePicture.h"

#include <QGroupBox>

class DialogGroupBox : public QGroupBox {
    Q_OBJECT

public:
    DialogGroupBox(const QString& title, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StylePicture m_picture;
};
