// What the bus, the chip and the window should show after each action, worked
// out from the rules of the operations alone: the byte each control reads,
// computes and writes, and what each control then shows.
#pragma once

#include "Action.h"

#include "ptx/sim/RegisterAccess.h"
#include "res/ResourceIds.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// Everything compared after each action; controls by id.
struct View {
    std::vector<ptx::sim::RegisterAccess> accesses; // the last action's, in order
    std::map<int, int> chip; // every register
    std::map<int, std::string> texts; // edits, read-back cells, list fields, status and version lines
    std::map<int, int> states; // boxes (1 ticked), lists (the item, -1 for none),
                               // the slider (its position)
};

class ReferenceModel {
public:
    using ItemText = std::function<std::string(int list, int item)>;
    // The dialog as it stands after start-up and its first drawing.
    ReferenceModel(const Scenario& scenario, ItemText itemText);
    void apply(const Action& action);
    View view;

private:
    bool read(int reg, int& r);
    bool write(int reg, int v, bool shown = false);
    void select(int list, int item);
    void press(int id);
    void choose(int list);
    void toggleExternal(int box);
    void type(int id, const std::string& typed);
    void readbackAll();
    void writeBrightness(unsigned long t);
    void drawSlider();
    int& slider() { return view.states[IDC_BRIGHTNESS_SLIDER]; }

    ItemText itemText_;
    int handle_, failingReads_ = 0, failingWrites_ = 0;
    bool unplugged_ = false, sliderFocused_ = false, redraw_ = false;
};
