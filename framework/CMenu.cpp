#include "CMenu.h"

void CMenu::AppendMenu(unsigned flags, unsigned commandId, const std::string& text)
{
    m_items.push_back({ flags, commandId, text });
}
