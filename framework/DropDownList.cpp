#include "DropDownList.h"

#include <QLineEdit>

DropDownList::DropDownList(bool sorted, QWidget* parent)
    : QComboBox(parent)
    , m_sorted(sorted)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // The default completer would turn a typed "4" into the first item starting with it.
    setCompleter(nullptr);
    // Qt selects the item matching the field's text whenever the field loses the focus, even when the
    // window is only deactivated or closing; here the selection changes by the user's choice alone.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
}

int DropDownList::addString(const QString& text)
{
    int index = count();
    if (m_sorted) {
        index = 0;
        while (index < count() && QString::compare(itemText(index), text, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    const int selected = currentIndex();
    const QString field = currentText();
    insertItem(index, text);
    // Qt selects the first item added to an empty list; the list itself selects nothing.
    if (selected == -1 && currentIndex() != -1) {
        setCurrentIndex(-1);
        setEditText(field);
    }
    return index;
}
