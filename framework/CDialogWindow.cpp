#include "CDialogWindow.h"

#include "ControlFactory.h"
#include "DialogLook.h"
#include "DialogUnits.h"
#include "DropDownList.h"
#include "QtText.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

namespace {

constexpr Qt::WindowFlags dialogFrame
    = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

bool takesTabFocus(const QWidget& widget)
{
    return (widget.focusPolicy() & Qt::TabFocus) != 0;
}

bool isEnter(const QKeyEvent& event)
{
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
}

} // namespace

CDialog::Window::Window(CDialog& owner, QWidget* parent)
    : QDialog(parent, dialogFrame)
    , m_owner(owner)
{
    const DialogTemplate& dialogTemplate = owner.m_template;
    setFont(dialogFont());
    setWindowTitle(toQString(dialogTemplate.caption));
    const DialogUnits units(font());
    setFixedSize(units.toPixels(dialogTemplate.cx, dialogTemplate.cy));

    QWidget* previous = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        QWidget* widget = createControl(control, units, *this, owner);
        m_controls.push_back(widget);
        if (control.id != IDC_STATIC)
            m_items.emplace(control.id, CWnd(widget));
        if (auto* button = qobject_cast<QPushButton*>(widget); button && button->isDefault())
            m_defaultButton = button;
        // Creation order is the tab order.
        if (takesTabFocus(*widget)) {
            if (previous)
                QWidget::setTabOrder(previous, widget);
            previous = widget;
        }
    }
}

QWidget* CDialog::Window::control(int controlId) const
{
    const auto found = m_items.find(controlId);
    return found == m_items.end() ? nullptr : found->second.widget();
}

QWidget* CDialog::Window::image(int imageId) const
{
    const auto& controls = m_owner.m_template.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const ControlKind kind = controls[i].kind;
        if ((kind == ControlKind::Picture || kind == ControlKind::Icon) && controls[i].imageId == imageId)
            return m_controls[i];
    }
    return nullptr;
}

CWnd* CDialog::Window::item(int controlId)
{
    const auto found = m_items.find(controlId);
    return found == m_items.end() ? nullptr : &found->second;
}

void CDialog::Window::fillLists()
{
    const auto& controls = m_owner.m_template.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind != ControlKind::DropDownList)
            continue;
        auto* list = static_cast<DropDownList*>(m_controls[i]);
        for (std::string_view text : controls[i].items)
            list->addString(toQString(text));
    }
}

void CDialog::Window::focusFirstControl()
{
    for (QWidget* widget : m_controls) {
        if (takesTabFocus(*widget) && widget->isEnabled()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

QMenu* CDialog::Window::popupSystemMenu(const QPoint& globalPos)
{
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setObjectName(QStringLiteral("systemMenu"));
    const auto addCommand = [this, menu](unsigned commandId, const QString& text) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, [this, commandId] { m_owner.OnSysCommand(commandId, 0); });
    };
    addCommand(SC_CLOSE, QStringLiteral("Close"));
    for (const CMenu::Item& entry : m_owner.m_systemMenu.items()) {
        if (entry.flags & MF_SEPARATOR)
            menu->addSeparator();
        else
            addCommand(entry.commandId, toQString(entry.text));
    }
    menu->popup(globalPos);
    return menu;
}

void CDialog::Window::reject()
{
    m_owner.OnCancel();
}

void CDialog::Window::keyPressEvent(QKeyEvent* event)
{
    if (isEnter(*event))
        pressEnter();
    else
        QDialog::keyPressEvent(event);
}

void CDialog::Window::pressEnter()
{
    if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
        button->click();
    else if (m_defaultButton)
        m_defaultButton->click();
    else
        m_owner.OnOK();
}

void CDialog::Window::contextMenuEvent(QContextMenuEvent* event)
{
    // A right click on a control is the control's own; only the background has the system menu.
    if (event->reason() == QContextMenuEvent::Mouse && childAt(event->pos())) {
        event->ignore();
        return;
    }
    popupSystemMenu(event->globalPos());
}
