#include "CWnd.h"

#include "QtText.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QStringEncoder>

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
    // Setting an equal text would still repaint the control and move an edit's cursor. Every exchange shows
    // every text, so they are compared without converting one.
    if (m_widget && !QAnyStringView::equal(widgetText(*m_widget), QUtf8StringView(text)))
        setWidgetText(*m_widget, toQString(text));
}

std::string CWnd::GetWindowText() const
{
    if (!m_widget)
        return {};
    // Straight into the string, whose own buffer holds a short text: every exchange gathers every text.
    const QString text = widgetText(*m_widget);
    QStringEncoder toUtf8(QStringEncoder::Utf8);
    std::string utf8(static_cast<std::size_t>(toUtf8.requiredSpace(text.size())), '\0');
    utf8.resize(static_cast<std::size_t>(toUtf8.appendToBuffer(utf8.data(), text) - utf8.data()));
    return utf8;
}
