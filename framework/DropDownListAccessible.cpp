#include "DropDownListAccessible.h"

#include "DropDownList.h"

#include <QAccessibleWidget>

namespace {

class DropDownListAccessible : public QAccessibleWidget {
public:
    explicit DropDownListAccessible(QComboBox* list)
        : QAccessibleWidget(list, QAccessible::ComboBox)
    {
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return list()->currentText();
        const QString text = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && text.isEmpty() ? list()->currentText() : text;
    }

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << showMenuAction(); }

    void doAction(const QString& action) override
    {
        if (action == showMenuAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QComboBox* list() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* createInterface(const QString& className, QObject* object)
{
    if (object && object->isWidgetType() && className == QLatin1String(DropDownList::staticMetaObject.className()))
        return new DropDownListAccessible(static_cast<QComboBox*>(object));
    return nullptr;
}

} // namespace

void installDropDownListAccessible()
{
    QAccessible::installFactory(createInterface);
}
