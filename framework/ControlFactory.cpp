#include "ControlFactory.h"

#include "CDialog.h"
#include "CustomDrawSlider.h"
#include "DialogCheckBox.h"
#include "DialogGroupBox.h"
#include "DialogPicture.h"
#include "DialogPushButton.h"
#include "DialogUnits.h"
#include "DropDownList.h"
#include "QtText.h"
#include "ResourceImages.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

constexpr int iconPixels = 32;

QWidget* pushButton(const ControlTemplate& control, QWidget& parent, CDialog& dialog)
{
    auto* button = new DialogPushButton(toQString(control.caption), &parent);
    // Otherwise Qt makes a push button the default one and Enter in an edit clicks it.
    button->setAutoDefault(false);
    button->setDefault((control.style & StyleDefaultButton) != 0);
    QObject::connect(
        button, &QPushButton::clicked, button, [&dialog, id = control.id] { dialog.notify(BN_CLICKED, id); });
    return button;
}

QWidget* checkBox(const ControlTemplate& control, QWidget& parent, CDialog& dialog)
{
    auto* box = new DialogCheckBox(toQString(control.caption), &parent);
    QObject::connect(box, &QCheckBox::clicked, box, [&dialog, id = control.id] { dialog.notify(BN_CLICKED, id); });
    return box;
}

QWidget* edit(const ControlTemplate& control, QWidget& parent, CDialog& dialog, bool readOnly)
{
    auto* field = new QLineEdit(&parent);
    if (readOnly) {
        field->setReadOnly(true);
        field->setFrame(false);
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        field->setPalette(palette);
    }
    field->setFocusPolicy(Qt::StrongFocus);
    QObject::connect(
        field, &QLineEdit::textEdited, field, [&dialog, id = control.id] { dialog.notify(EN_UPDATE, id); });
    return field;
}

QWidget* dropDownList(const ControlTemplate& control, const DialogUnits& units, QWidget& parent, CDialog& dialog)
{
    auto* list = new DropDownList((control.style & StyleSorted) != 0, &parent);
    QObject::connect(
        list, &QComboBox::activated, list, [&dialog, id = control.id] { dialog.notify(CBN_SELCHANGE, id); });
    QObject::connect(list->lineEdit(), &QLineEdit::textEdited, list,
        [&dialog, id = control.id] { dialog.notify(CBN_EDITCHANGE, id); });
    const QRect dropped = units.toPixels(control.rect);
    const int closedHeight = list->sizeHint().height();
    list->setGeometry(dropped.x(), dropped.y(), dropped.width(), closedHeight);
    if (control.style & StyleNoScrollBar) {
        list->setMaxVisibleItems(std::numeric_limits<int>::max());
        list->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        // The template's height includes the dropped list: as many rows as fit below the field.
        list->setMaxVisibleItems(std::max(1, (dropped.height() - closedHeight) / list->fontMetrics().height()));
    }
    return list;
}

QWidget* slider(const ControlTemplate& control, QWidget& parent, CDialog& dialog)
{
    return new CustomDrawSlider([&dialog, id = control.id] { dialog.notify(NM_CUSTOMDRAW, id); }, &parent);
}

QLabel* asStatic(QLabel* label)
{
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget* text(const ControlTemplate& control, QWidget& parent)
{
    QLabel* label = asStatic(new QLabel(&parent));
    label->setText(toQString(control.caption));
    return label;
}

QWidget* picture(const ControlTemplate& control, QWidget& parent)
{
    DialogPicture::Make make;
    if (control.kind == ControlKind::Icon) {
        make
            = [id = control.imageId](qreal ratio) { return loadIcon(id).pixmap(QSize(iconPixels, iconPixels), ratio); };
    } else {
        make = [id = control.imageId](qreal ratio) { return loadBitmap(id, ratio); };
    }
    return asStatic(new DialogPicture(std::move(make), &parent));
}

QWidget* groupBox(const ControlTemplate& control, QWidget& parent)
{
    return new DialogGroupBox(toQString(control.caption), &parent);
}

QWidget* createWidget(const ControlTemplate& control, const DialogUnits& units, QWidget& parent, CDialog& dialog)
{
    switch (control.kind) {
    case ControlKind::PushButton:
        return pushButton(control, parent, dialog);
    case ControlKind::CheckBox:
        return checkBox(control, parent, dialog);
    case ControlKind::Edit:
        return edit(control, parent, dialog, false);
    case ControlKind::ReadOnlyEdit:
        return edit(control, parent, dialog, true);
    case ControlKind::DropDownList:
        return dropDownList(control, units, parent, dialog);
    case ControlKind::Slider:
        return slider(control, parent, dialog);
    case ControlKind::Text:
        return text(control, parent);
    case ControlKind::Picture:
    case ControlKind::Icon:
        return picture(control, parent);
    case ControlKind::GroupBox:
        return groupBox(control, parent);
    }
    return nullptr;
}

void place(QWidget& widget, const ControlTemplate& control, const DialogUnits& units)
{
    const QRect rect = units.toPixels(control.rect);
    switch (control.kind) {
    case ControlKind::DropDownList:
        return; // placed with its closed height when it was made
    case ControlKind::Picture:
    case ControlKind::Icon: {
        // Images keep their own size, top-left at the template's corner.
        const QPixmap pixmap = static_cast<QLabel&>(widget).pixmap();
        widget.setGeometry(
            QRect(rect.topLeft(), pixmap.isNull() ? rect.size() : pixmap.deviceIndependentSize().toSize()));
        return;
    }
    default:
        widget.setGeometry(rect);
    }
}

bool isStatic(ControlKind kind)
{
    return kind == ControlKind::Text || kind == ControlKind::Picture || kind == ControlKind::Icon
        || kind == ControlKind::GroupBox;
}

} // namespace

QWidget* createControl(const ControlTemplate& control, const DialogUnits& units, QWidget& parent, CDialog& dialog)
{
    QWidget* widget = createWidget(control, units, parent, dialog);
    place(*widget, control, units);
    if (control.id != IDC_STATIC)
        widget->setObjectName(QStringLiteral("ctl%1").arg(control.id));
    if (!control.accessibleName.empty())
        widget->setAccessibleName(toQString(control.accessibleName));
    // Statics let clicks through to the controls and the dialog's background beneath them.
    if (isStatic(control.kind))
        widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (control.kind == ControlKind::GroupBox)
        widget->lower();
    return widget;
}
