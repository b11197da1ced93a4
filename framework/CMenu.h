// The dialog's system menu: on Linux a context menu on the dialog's background stands in for it.
#pragma once

#include <string>
#include <vector>

constexpr unsigned MF_STRING = 0x0000;
constexpr unsigned MF_SEPARATOR = 0x0800;

class CMenu {
public:
    struct Item {
        unsigned flags;
        unsigned commandId;
        std::string text; // "&" marks the mnemonic
    };

    void AppendMenu(unsigned flags, unsigned commandId = 0, const std::string& text = {});
    const std::vector<Item>& items() const { return m_items; }

private:
    std::vector<Item> m_items;
};
