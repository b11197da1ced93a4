// A two-state check box that takes clicks anywhere in its rectangle, not only on its mark and caption, and
// keeps its painted look per state (see StylePicture).
#pragma once

#include "StylePicture.h"

#include <QCheckBox>

class DialogCheckBox : public QCheckBox {
    Q_OBJECT

public:
    DialogCheckBox(const QString& caption, QWidget* parent);

protected:
    bool hitButton(const QPoint& pos) const override;
    void paintEvent(QPaintEvent* event) override;

private:
    StylePicture m_picture;
};
