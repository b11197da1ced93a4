#include "CWnd.h"

#include "QtText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

QString widgetText(const QWidget& widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(&widget))
        return combo->currentText();
    if (const auto* label = qobject_cast<const QLabel*>(&widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
        return button->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(&widget))
        return group->title();
    return widget.windowTitle();
}

void setWidgetText(QWidget& widget, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(&widget))
        edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(&widget))
        combo->setEditText(text);
    else if (auto* label = qobject_cast<QLabel*>(&widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(&widget))
        button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(&widget))
        group->setTitle(text);
    else
        widget.setWindowTitle(text);
}

} // namespace

void CWnd::SetWindowText(const std::string& text)
{
    const QString newText = toQString(text);
    // Setting an equal text would still repaint the control and move an edit's cursor.
    if (m_widget && widgetText(*m_widget) != newText)
        setWidgetText(*m_widget, newText);
}

std::string CWnd::GetWindowText() const
{
    return m_widget ? widgetText(*m_widget).toStdString() : std::string();
}
