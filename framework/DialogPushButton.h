// A push button that keeps its painted look per state (see StylePicture).
#pragma once

#include "StylePicture.h"

#include <QPushButton>

class DialogPushButton : public QPushButton {
    Q_OBJECT

public:
    DialogPushButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    StylePicture m_picture;
};
