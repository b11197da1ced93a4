#include "AboutDialogTemplate.h"

#include "ResourceIds.h"
#include "framework/NotifyCode.h"

namespace {

constexpr ControlTemplate controls[] = {
    { .id = IDC_STATIC,
        .kind = ControlKind::Icon,
        .caption = {},
        .rect = { 11, 17, 20, 20 },
        .imageId = IDR_MAINFRAME },
    { .id = IDC_STATIC,
        .kind = ControlKind::Text,
        .caption = "KV3124 Version 1.2",
        .rect = { 40, 10, 119, 8 },
        .style = StyleNoPrefix },
    { .id = IDOK,
        .kind = ControlKind::PushButton,
        .caption = "OK",
        .rect = { 178, 7, 50, 16 },
        .style = StyleDefaultButton },
};

} // namespace

constinit const DialogTemplate aboutDialogTemplate { IDD_ABOUTBOX, "About KV3124", 235, 55, controls };
