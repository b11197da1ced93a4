// The whole window on a Linux I2C bus: start-up and an operation of each family, each checked by what it
// leaves in the chip, read past the program through `get`, and by what the window then shows.
#pragma once

#include "EvalDialogFixture.h"

class BusWindowFixture : public EvalDialogFixture {
protected:
    void runOperations(const std::function<int(int)>& get, const std::function<void(int, int)>& set)
    {
        for (const auto& [reg, value] :
            { std::pair { 0x00, 0x05 }, { 0x01, 0x5A }, { 0x02, 0x00 }, { 0x03, 0x5A }, { 0x04, 0x5A }, { 0x10, 0x8F },
                { 0x11, 0x85 }, { 0x12, 0x03 }, { 0x13, 0x42 }, { 0x14, 0x2A }, { 0x15, 0xC2 } })
            set(reg, value);
        open();
        EXPECT_EQ(text(IDC_VERSION), "Version: USB RFW:1.0; FFW:1.0");
        std::vector<std::string> cells;
        for (int id : { IDC_REG00, IDC_REG01, IDC_REG02, IDC_REG11, IDC_REG12, IDC_REG13, IDC_REG14, IDC_REG15 })
            cells.push_back(text(id));
        EXPECT_EQ(cells, (std::vector<std::string> { "05", "5A", "00", "85", "03", "42", "2A", "C2" }));

        const struct {
            const char* name;
            std::function<void()> act;
            std::vector<std::pair<int, int>> chip; // registers and the bytes they must hold
            int shows; // a control whose text then is `text`
            const char* text;
        } steps[] {
            // Readback All's fix-up of 0x10 and the slider's first paint.
            { "start-up", [] {}, { { 0x10, 0x87 }, { 0x03, 0x00 }, { 0x04, 0x00 } }, IDC_STATUS, "Ready4" },
            { "LED 4 cleared", [&] { click(IDC_LED4); }, { { 0x14, 0x22 } }, IDC_REG14, "22" },
            { "step list", [&] { choose(IDC_STEP_LIST, 1); }, { { 0x15, 0xC1 } }, IDC_REG15, "C1" },
            { "slider to the end",
                [&] {
                    dialog->controlWidget(IDC_BRIGHTNESS_SLIDER)->setFocus();
                    QTest::keyClick(dialog->controlWidget(IDC_BRIGHTNESS_SLIDER), Qt::Key_End);
                },
                { { 0x03, 0xF0 }, { 0x04, 0xFF } }, IDC_TARGET, "FFF" },
            { "Set", [&] { typeOver(IDC_TARGET, "80"), click(IDC_SET); }, { { 0x03, 0x00 }, { 0x04, 0x08 } },
                IDC_PERCENT, "3.1" },
            { "manual Write", [&] { typeOver(IDC_REG_ADDR, "20"), typeOver(IDC_DATA, "5A"), click(IDC_WRITE); },
                { { 0x20, 0x5A } }, IDC_DATA, "5A" },
            { "manual Read", [&] { set(0x21, 0xA5), typeOver(IDC_REG_ADDR, "21"), click(IDC_READ); }, {}, IDC_DATA,
                "A5" },
            { "Readback All", [&] { set(0x10, 0x0C), click(IDC_READBACK_ALL); }, { { 0x10, 0x04 } }, IDC_REG10, "04" },
            // What register 0x00 then holds depends on the chip: a real one clears its reset bit.
            { "Reset", [&] { click(IDC_RESET); }, { { 0x03, 0x00 }, { 0x04, 0x00 } }, IDC_TARGET, "00" },
        };
        for (const auto& step : steps) {
            SCOPED_TRACE(step.name);
            step.act();
            settle();
            for (const auto& [reg, value] : step.chip)
                EXPECT_EQ(get(reg), value) << "register " << reg;
            EXPECT_EQ(text(step.shows), step.text);
        }
    }
};
