// Dialog templates as data: every control in creation order, placed in dialog units.
#pragma once

#include <span>
#include <string_view>

enum class ControlKind {
    PushButton,
    CheckBox,
    Edit, // bordered, editable
    ReadOnlyEdit, // borderless, focusable, not editable
    DropDownList, // editable field over a list
    Slider, // horizontal, no tick marks
    Text,
    Picture, // bitmap `imageId` at its own size in pixels
    Icon, // icon `imageId`
    GroupBox,
};

// Style bits a control may add to its kind's behaviour.
enum ControlStyle : unsigned {
    StyleNone = 0,
    StyleSorted = 1u << 0, // drop-down list keeps its items sorted
    StyleNoScrollBar = 1u << 1, // drop-down list shows all items without a scroll bar
    StyleDefaultButton = 1u << 2, // push button that Enter clicks wherever the focus is
    StyleNoPrefix = 1u << 3, // text shows "&" as it stands
};

constexpr int IDC_STATIC = -1;

struct DialogRect {
    int x, y, cx, cy;
};

struct ControlTemplate {
    int id; // IDC_STATIC when the control has none
    ControlKind kind;
    std::string_view caption;
    DialogRect rect; // for a drop-down list, cy is the dropped-down height
    unsigned style = StyleNone;
    int imageId = 0; // Picture and Icon only
    std::span<const std::string_view> items = {}; // DropDownList only, filled by OnInitDialog in index order
    std::string_view accessibleName = {};
};

struct DialogTemplate {
    int id;
    std::string_view caption;
    int cx, cy; // dialog units; the dialog opens centred over its parent or the screen
    std::span<const ControlTemplate> controls; // creation order, which is also the tab order
};
