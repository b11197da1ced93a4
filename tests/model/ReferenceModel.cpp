#include "ReferenceModel.h"

#include "ptx/sim/SimulatorControl.h"

#include <Qt>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <utility>

using ptx::sim::Access;
using ptx::sim::Fault;

namespace {

enum class Box { Led, Bit, Ready0, Status, External };
// Every check box: the register bit Readback All takes it from, and what a click on it runs.
struct BoxRule {
    int box, reg, bit;
    Box kind;
};
constexpr BoxRule kBoxes[] { { IDC_LED1, 0x14, 0x01, Box::Led }, { IDC_LED2, 0x14, 0x02, Box::Led },
    { IDC_LED3, 0x14, 0x04, Box::Led }, { IDC_LED4, 0x14, 0x08, Box::Led }, { IDC_LED5, 0x14, 0x10, Box::Led },
    { IDC_LED6, 0x14, 0x20, Box::Led }, { IDC_ENABLE_BACKLIGHT, 0x00, 0x01, Box::Ready0 },
    { IDC_SPREAD_SPECTRUM, 0x00, 0x02, Box::Ready0 }, { IDC_SLEW_RATE, 0x00, 0x04, Box::Ready0 },
    { IDC_AUTO_STRING, 0x10, 0x04, Box::Bit }, { IDC_PWM_STANDBY, 0x10, 0x80, Box::Bit },
    { IDC_UVLO, 0x01, 0x01, Box::Status }, { IDC_TSD, 0x01, 0x02, Box::Status },
    { IDC_OVER_CURRENT, 0x01, 0x04, Box::Status }, { IDC_OVER_VOLTAGE, 0x01, 0x08, Box::Status },
    { IDC_UNDER_VOLTAGE, 0x01, 0x10, Box::Status }, { IDC_SHORT, 0x01, 0x40, Box::Status },
    { IDC_OPEN, 0x01, 0x80, Box::Status }, { IDC_ISET_EXTERNAL, 0x11, 0x80, Box::External },
    { IDC_PFSET_EXTERNAL, 0x12, 0x80, Box::External }, { IDC_BOOST_FSET_EXTERNAL, 0x13, 0x80, Box::External },
    { IDC_BOOST_COMP_EXTERNAL, 0x13, 0x40, Box::External } };

// A list's External box, its bit and its item. While the box is ticked a choice keeps `keep` of the byte read, sets
// `set` and, where `takesItem`, adds the item, but the external item itself only sets the bit on the byte read (its
// index has no place in the field); ticking the box sets the bit on the byte read, or on the item where
// `tickTakesItem` and the list holds a field item; clearing it keeps `clearKeep` and shows the field's own bits.
struct External {
    int box = 0, bit = 0, item = -1, keep = 0, set = 0, clearKeep = 0;
    bool takesItem = false, tickTakesItem = false;
};
// Each list's field, (r >> shift) & mask; a plain choice keeps `keep` of the byte read and adds the item shifted.
struct ListRule {
    int list, reg, shift, mask, keep;
    bool typed; // typing into the field runs the choice with the item the list holds
    External external {};
};
constexpr ListRule kLists[] {
    { IDC_MODE_LIST, 0x10, 0, 3, 0xFC, false },
    { IDC_STEP_LIST, 0x15, 0, 3, 0xFC, true },
    { IDC_SMOOTHING_LIST, 0x15, 6, 3, 0x3F, true },
    { IDC_CURRENT_SCALE_LIST, 0x11, 0, 7, 0x00, false, { IDC_ISET_EXTERNAL, 0x80, 8, 0x00, 0x80, 0x07, true, true } },
    { IDC_PWM_FREQUENCY_LIST, 0x12, 0, 7, 0x38, false, { IDC_PFSET_EXTERNAL, 0x80, 8, 0xF8, 0x80, 0x7F, true } },
    { IDC_BOOST_FSET_LIST, 0x13, 0, 1, 0x7E, true, { IDC_BOOST_FSET_EXTERNAL, 0x80, 2, 0xFF, 0x80, 0x7F } },
    { IDC_BOOST_COMP_LIST, 0x13, 1, 1, 0xFD, false, { IDC_BOOST_COMP_EXTERNAL, 0x40, 2, 0xFF, 0x00, 0xBF } },
};

// Readback All's registers in their order, with the cell that shows each (0 for none).
constexpr std::pair<int, int> kReadback[] { { 0x00, IDC_REG00 }, { 0x01, IDC_REG01 }, { 0x02, IDC_REG02 },
    { 0x03, IDC_REG03 }, { 0x04, IDC_REG04 }, { 0x10, IDC_REG10 }, { 0x11, IDC_REG11 }, { 0x12, IDC_REG12 },
    { 0x13, IDC_REG13 }, { 0x14, IDC_REG14 }, { 0x15, IDC_REG15 }, { 0x16, 0 }, { 0x17, 0 }, { 0x18, 0 }, { 0x1C, 0 },
    { 0x1D, 0 }, { 0x1E, 0 }, { 0x1F, 0 } };

// How far each key moves the slider (a page is ten steps).
constexpr std::pair<int, int> kKeySteps[] { { Qt::Key_Left, -1 }, { Qt::Key_Down, -1 }, { Qt::Key_Right, 1 },
    { Qt::Key_Up, 1 }, { Qt::Key_PageUp, 10 }, { Qt::Key_PageDown, -10 }, { Qt::Key_Home, -4096 },
    { Qt::Key_End, 4096 } };

std::string hex(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%.2X", static_cast<unsigned>(value));
    return text;
}

// The position times the single-precision 100/4095, to one decimal and with a point whatever the locale.
std::string percent(int position)
{
    char text[16];
    const auto end = std::to_chars(
        text, text + sizeof text, position * static_cast<double>(100.0f / 4095.0f), std::chars_format::fixed, 1);
    return { text, end.ptr };
}

template <class Rule, std::size_t n> const Rule* find(const Rule (&rules)[n], int id, int Rule::*key)
{
    const Rule* rule = std::find_if(rules, rules + n, [&](const Rule& r) { return r.*key == id; });
    return rule == rules + n ? nullptr : rule;
}

} // namespace

ReferenceModel::ReferenceModel(const Scenario& scenario, ItemText itemText)
    : itemText_(std::move(itemText))
    , handle_(scenario.fault == Fault::AdapterAbsent || scenario.fault == Fault::SerialNumber ? 0 : ptx::sim::kHandle)
{
    for (int reg = 0; reg < 256; ++reg)
        view.chip[reg] = ptx::sim::powerOnValue(reg);
    for (const auto& [reg, value] : scenario.registers)
        view.chip[reg] = value;
    for (int id : { IDC_REG_ADDR, IDC_DATA, IDC_TARGET, IDC_PERCENT, IDC_REG00, IDC_REG01, IDC_REG02, IDC_REG03,
             IDC_REG04, IDC_REG10, IDC_REG11, IDC_REG12, IDC_REG13, IDC_REG14, IDC_REG15 })
        view.texts[id] = "";
    for (const BoxRule& box : kBoxes)
        view.states[box.box] = box.kind == Box::Led;
    for (const ListRule& list : kLists)
        select(list.list, -1);
    const auto version = [&](int at) { // a major and a minor nibble, packed from two bytes of the record
        const int byte = (scenario.firmware[at] * 16 + scenario.firmware[at + 1]) & 0xFF;
        return std::to_string(byte >> 4) + "." + std::to_string(byte & 15);
    };
    view.texts[IDC_VERSION] = scenario.fault ? "Version" : "Version: USB RFW:" + version(0) + "; FFW:" + version(2);
    view.texts[IDC_STATUS] = scenario.fault ? "USB Initialization Error" : "Initialization Complete";
    slider() = 0;
    readbackAll();
    drawSlider();
}

bool ReferenceModel::read(int reg, int& r)
{
    const bool ok = handle_ != 0 && !unplugged_ && !(failingReads_ > 0 && failingReads_--);
    view.accesses.push_back({ Access::Read, reg, ok ? view.chip[reg] : -1, ok, handle_ });
    r = ok ? view.chip[reg] : r;
    return ok;
}

// The status register ignores writes; bit 7 of register 0x00 resets the chip. A `shown` byte goes into its
// register's cell, but only when the chip took it.
bool ReferenceModel::write(int reg, int v, bool shown)
{
    const bool ok = handle_ != 0 && !unplugged_ && !(failingWrites_ > 0 && failingWrites_--);
    view.accesses.push_back({ Access::Write, reg, v, ok, handle_ });
    for (int r = 0; ok && reg == 0x00 && (v & 0x80) && r < 256; ++r)
        view.chip[r] = ptx::sim::powerOnValue(r);
    if (ok && reg != 0x01 && !(reg == 0x00 && (v & 0x80)))
        view.chip[reg] = v;
    if (const auto* cell = find(kReadback, reg, &std::pair<int, int>::first); shown && ok)
        view.texts[cell->second] = hex(v);
    return ok;
}

void ReferenceModel::select(int list, int item)
{
    view.states[list] = item;
    view.texts[list] = item < 0 ? "" : itemText_(list, item);
}

// Registers whose read failed keep their cells and give nothing to their boxes and lists.
void ReferenceModel::readbackAll()
{
    std::map<int, int> read;
    for (const auto& [reg, cell] : kReadback) {
        int byte = 0;
        if (!this->read(reg, byte))
            continue;
        read[reg] = byte;
        if (cell)
            view.texts[cell] = hex(byte);
    }
    for (const BoxRule& box : kBoxes) {
        if (box.kind != Box::Led && read.contains(box.reg))
            view.states[box.box] = (read[box.reg] & box.bit) != 0;
    }
    for (const ListRule& l : kLists) {
        if (const int r = read.contains(l.reg) ? read[l.reg] : -1; r >= 0)
            select(l.list, l.external.bit & r ? l.external.item : (r >> l.shift) & l.mask);
    }
    if (read.contains(0x10))
        write(0x10, read[0x10] & 0xF7, true);
}

// A list without a selection gives no field value; only an External branch that needs none goes on.
void ReferenceModel::choose(int list)
{
    const ListRule& l = *find(kLists, list, &ListRule::list);
    const External& x = l.external;
    const int s = view.states[l.list];
    const bool external = x.box && view.states[x.box];
    int r = 0;
    if (!read(l.reg, r) || (s < 0 && !(external && !x.takesItem)))
        return;
    int v = (r & l.keep) | (s << l.shift);
    if (external) {
        v = x.takesItem && s == x.item ? r | x.bit : (r & x.keep) | x.set | (x.takesItem ? s : 0);
        select(l.list, x.item);
    } else if (s == x.item) {
        view.states[x.box] = true;
        v = r | x.bit;
    }
    write(l.reg, v, true);
}

void ReferenceModel::toggleExternal(int box)
{
    const ListRule& l
        = *std::find_if(kLists, std::end(kLists), [&](const ListRule& l) { return l.external.box == box; });
    const External& x = l.external;
    const int s = view.states[l.list];
    int r = 0;
    if (!read(l.reg, r) || (view.states[box] && x.tickTakesItem && s < 0))
        return;
    const int v = view.states[box] ? (x.tickTakesItem && s != x.item ? s : r) | x.bit : r & x.clearKeep;
    select(l.list, view.states[box] ? x.item : (r >> l.shift) & l.mask);
    write(l.reg, v, true);
}

void ReferenceModel::press(int id)
{
    auto& texts = view.texts;
    int r = 0;
    if (const BoxRule* box = find(kBoxes, id, &BoxRule::box)) {
        view.states[id] = !view.states[id];
        if (box->kind == Box::External)
            toggleExternal(id);
        else if (box->kind != Box::Status && read(box->reg, r)
            && write(box->reg, (r & ~box->bit) | (view.states[id] ? box->bit : 0), true) && box->kind == Box::Ready0)
            texts[IDC_STATUS] = "Ready0";
        return;
    }
    const unsigned char data = std::strtoul(texts[IDC_DATA].c_str(), nullptr, 16) & 0xFF;
    const unsigned char address = std::strtoul(texts[IDC_REG_ADDR].c_str(), nullptr, 16) & 0xFF;
    const long target = std::strtol(texts[IDC_TARGET].c_str(), nullptr, 16);
    switch (id) {
    case IDC_ALL_ON:
    case IDC_ALL_OFF:
        if (!read(0x14, r))
            return;
        write(0x14, id == IDC_ALL_ON ? r | 0x3F : r & 0xC0, true);
        for (const BoxRule& box : kBoxes)
            view.states[box.box] = box.kind == Box::Led ? id == IDC_ALL_ON : view.states[box.box];
        return;
    case IDC_RESET:
        write(0x00, 0x80);
        view.states[IDC_ENABLE_BACKLIGHT] = false;
        texts[IDC_TARGET] = "";
        slider() = 0;
        redraw_ = true;
        return;
    case IDC_SET:
        slider() = static_cast<int>(std::clamp(target, 0L, 4095L));
        writeBrightness(static_cast<unsigned long>(target));
        redraw_ = true;
        return;
    case IDC_READBACK_ALL:
        return readbackAll();
    case IDC_READ:
        texts[IDC_DATA] = hex(read(address, r) ? r : data);
        return;
    case IDC_WRITE:
        write(address, data);
    }
}

// The first keystroke replaces the whole text; an operation that selects an item rewrites the field.
void ReferenceModel::type(int id, const std::string& typed)
{
    std::string& field = view.texts[id];
    const auto* list = find(kLists, id, &ListRule::list);
    const auto edited = [&] {
        if (id == IDC_TARGET)
            writeBrightness(std::strtoul(field.c_str(), nullptr, 16));
        else if (list && list->typed)
            choose(id);
    };
    if (typed.empty() && !field.empty()) {
        field.clear();
        edited();
    }
    for (std::size_t i = 0; i < typed.size(); ++i) {
        field = (i == 0 ? std::string() : field) + typed[i];
        edited();
    }
}

// Target and Set write the low bits of the wide value, without a read and whatever the slider holds.
void ReferenceModel::writeBrightness(unsigned long t)
{
    write(0x03, static_cast<int>((t * 16) & 0xFF));
    write(0x04, static_cast<int>((t >> 4) & 0xFF));
}

void ReferenceModel::drawSlider()
{
    const int p = slider();
    view.texts[IDC_TARGET] = hex(p);
    view.texts[IDC_PERCENT] = percent(p);
    const bool lo = write(0x03, (p & 0x0F) * 16, true);
    const bool hi = write(0x04, (p >> 4) & 0xFF, true);
    if (lo && hi)
        view.texts[IDC_STATUS] = "Ready4";
}

void ReferenceModel::apply(const Action& a)
{
    view.accesses.clear();
    // The slider repaints when it gains or loses the focus, which every action on a control moves to it.
    const bool onControl = a.kind <= Action::SliderKey;
    redraw_ = onControl && sliderFocused_ != (a.id == IDC_BRIGHTNESS_SLIDER);
    sliderFocused_ = onControl ? a.id == IDC_BRIGHTNESS_SLIDER : sliderFocused_;
    const int to = a.kind == Action::SliderKey
        ? slider() + find(kKeySteps, a.value, &std::pair<int, int>::first)->second
        : a.value;
    const auto slide = [&] {
        redraw_ = redraw_ || std::clamp(to, 0, 4095) != slider();
        slider() = std::clamp(to, 0, 4095);
    };
    // In the order of Action::Kind. A button repaints itself at once when pressed, and the slider with it if due.
    const std::function<void()> effects[] {
        [&] { std::exchange(redraw_, false) ? drawSlider() : void(), press(a.id); },
        [&] { select(a.id, a.value), choose(a.id); },
        [&] { type(a.id, a.text); },
        slide,
        slide,
        [&] { redraw_ = true; },
        [&] { view.chip[0x01] = a.value; },
        [&] { (a.other ? failingWrites_ : failingReads_) = a.value; },
        [&] { unplugged_ = a.other; },
    };
    effects[a.kind]();
    if (redraw_)
        drawSlider();
}
