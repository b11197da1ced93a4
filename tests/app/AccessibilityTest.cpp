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

TEST(Accessibility, ListsEditsSlidersAndBoxesAreNamedByWhatTheySetPicturesDescribedCaptionsKept)
{
    EvalDialog dialog(true);
    dialog.Create();
    AboutDialog about(&dialog);
    about.Create();
    using Texts = std::pair<CDialog*, std::span<const AccessibleText>>;
    for (const auto& [shown, texts] :
        { Texts(&dialog, evalDialogAccessibleTexts()), { &about, aboutDialogAccessibleTexts() } }) {
        std::set<int> named;
        for (const AccessibleText& text : texts) {
            QWidget* widget = text.picture ? shown->imageWidget(text.id) : shown->controlWidget(text.id);
            ASSERT_TRUE(widget && !text.name.empty()) << text.id;
            EXPECT_EQ(said(widget, QAccessible::Name), text.name);
            EXPECT_EQ(said(widget, QAccessible::Description), text.description);
            named.insert(text.id);
        }
        for (const ControlTemplate& control : shown->dialogTemplate().controls) {
            using enum ControlKind;
            QWidget* widget = shown->controlWidget(control.id);
            const ControlKind kind = control.kind;
            if (kind == CheckBox || kind == Edit || kind == ReadOnlyEdit || kind == DropDownList || kind == Slider) {
                EXPECT_TRUE(named.contains(control.id)) << control.id << " has no name of its own";
            }
            if (kind == CheckBox || kind == PushButton) {
                EXPECT_EQ(static_cast<QAbstractButton*>(widget)->text(), toQString(control.caption));
            }
            for (std::size_t i = 0; kind == DropDownList && i <= control.items.size(); ++i)
                EXPECT_EQ(static_cast<QComboBox*>(widget)->itemText(static_cast<int>(i)),
                    i < control.items.size() ? toQString(control.items[i]) : QString())
                    << control.id;
        }
    }
}

} // namespace
