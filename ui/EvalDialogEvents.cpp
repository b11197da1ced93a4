// Which operation each control event runs; the first matching entry wins.
#include "EvalDialog.h"

#include "panel/Readback.h"
#include "res/ResourceIds.h"

#include <array>

namespace {

const std::array<EventEntry<EvalDialog>, 1> events { {
    { BN_CLICKED, IDC_READBACK_ALL, [](EvalDialog& d) { readbackAll(d); } },
} };

} // namespace

std::span<const EventEntry<EvalDialog>> EvalDialog::eventTable() { return events; }
