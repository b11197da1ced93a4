// What the bus, the chip and the window should show after each action, worked out from the rules of the
// operations alone: the byte each control reads, computes and writes, and what each control then shows.
#pragma once

#include "Action.h"
#include "View.h"

#include <functional>
#include <string>

class ReferenceModel {
public:
    using ItemText = std::function<std::string(int list, int item)>;
    // The dialog as it stands after start-up and its first drawing.
    ReferenceModel(const Scenario& scenario, ItemText itemText);
    void apply(const Action& action);

    View view;

private:
    bool read(int reg, int& r);
    bool write(int reg, int v);
    bool writeShown(int reg, int v);
    void select(int list, int item);
    void press(int id);
    void choose(int list);
    void toggleExternal(int box);
    void type(int id, const std::string& typed);
    void readbackAll();
    void writeBrightness(unsigned long t);
    void drawSlider();

    ItemText itemText_;
    int handle_;
    int failingReads_ = 0, failingWrites_ = 0;
    bool unplugged_ = false;
    bool sliderFocused_ = false;
    bool redraw_ = false;
};
