// An editable combo box that behaves like a drop-down list: nothing typed is inserted, no completer,
// and adding items leaves the selection and the field alone.
#pragma once

#include <QComboBox>

class DropDownList : public QComboBox {
    Q_OBJECT

public:
    DropDownList(bool sorted, QWidget* parent);

    // Appends `text`, or inserts it in case-insensitive order when sorted; returns its index.
    int addString(const QString& text);

private:
    bool m_sorted;
};
