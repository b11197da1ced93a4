#include "CComboBox.h"

#include "DropDownList.h"
#include "QtText.h"

namespace {

QComboBox& comboOf(const CWnd& wnd)
{
    auto* combo = qobject_cast<QComboBox*>(wnd.widget());
    Q_ASSERT_X(combo, "CComboBox", "not attached to a drop-down list");
    return *combo;
}

} // namespace

int CComboBox::GetCurSel() const
{
    const int index = comboOf(*this).currentIndex();
    return index < 0 ? CB_ERR : index;
}

int CComboBox::SetCurSel(int index)
{
    QComboBox& combo = comboOf(*this);
    const bool valid = index >= 0 && index < combo.count();
    combo.setCurrentIndex(valid ? index : -1);
    return valid ? index : CB_ERR;
}

int CComboBox::GetCount() const
{
    return comboOf(*this).count();
}

int CComboBox::AddString(const std::string& text)
{
    auto* list = qobject_cast<DropDownList*>(widget());
    Q_ASSERT_X(list, "CComboBox::AddString", "not attached to a drop-down list");
    return list->addString(toQString(text));
}

std::string CComboBox::GetLBText(int index) const
{
    return comboOf(*this).itemText(index).toStdString();
}
