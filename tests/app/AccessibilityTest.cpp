// What screen readers are told about each control, read through Qt's accessibility interface.
#include "framework/QtText.h"
#include "ui/AboutDialog.h"
#include "ui/AccessibleTexts.h"
#include "ui/EvalDialog.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QComboBox>

#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

std::string said(QWidget* widget, QAccessible::Text kind)
{
    return QAccessible::queryAccessibleInterface(widget)->text(kind).toStdString();
}

TEST(Accessibility, ControlsAreNamedByWhatTheySetAndKeepTheirCaptionsAndItems)
{
    EvalDialog dialog(true);
    dialog.Create();
    AboutDialog about(&dialog);
    about.Create();
    const std::pair<CDialog*, std::span<const AccessibleText>> dialogs[]
        = { { &dialog, evalDialogAccessibleTexts() }, { &about, aboutDialogAccessibleTexts() } };
    for (const auto& [shown, texts] : dialogs) {
        std::set<int> named;
        for (const AccessibleText& text : texts) {
            SCOPED_TRACE(text.name);
            QWidget* widget = text.picture ? shown->imageWidget(text.id) : shown->controlWidget(text.id);
            ASSERT_NE(widget, nullptr);
            EXPECT_FALSE(text.name.empty());
            EXPECT_EQ(said(widget, QAccessible::Name), text.name);
            EXPECT_EQ(said(widget, QAccessible::Description), text.description);
            EXPECT_EQ(text.picture, !text.description.empty()) << "pictures, and only they, are described";
            named.insert(text.id);
        }
        for (const ControlTemplate& control : shown->dialogTemplate().controls) {
            SCOPED_TRACE(control.id);
            QWidget* widget = shown->controlWidget(control.id);
            using enum ControlKind;
            if (control.kind == CheckBox || control.kind == Edit || control.kind == ReadOnlyEdit
                || control.kind == DropDownList || control.kind == Slider) {
                EXPECT_TRUE(named.contains(control.id)) << "no name of its own";
            }
            if (control.kind == CheckBox || control.kind == PushButton) {
                EXPECT_EQ(static_cast<QAbstractButton*>(widget)->text(), toQString(control.caption));
            }
            for (std::size_t i = 0; control.kind == DropDownList && i <= control.items.size(); ++i) {
                const QString item = i < control.items.size() ? toQString(control.items[i]) : QString();
                EXPECT_EQ(static_cast<QComboBox*>(widget)->itemText(static_cast<int>(i)), item);
            }
        }
    }
}

} // namespace
