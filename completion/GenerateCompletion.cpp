// Writes the bash completion script: its template with the chip's field names and item texts filled in.
#include "chip/ChipDescription.h"

#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

void replace(std::string& text, const std::string& mark, const std::string& with)
{
    text.replace(text.find(mark), mark.size(), with);
}

// Each field's items as a case branch; the texts hold no single quote.
std::string itemBranches()
{
    std::string branches;
    for (const kv3124::Field& field : kv3124::fields()) {
        if (field.items.empty())
            continue;
        branches += "    " + std::string(field.name) + ") printf '%s\\n'";
        for (std::string_view item : field.items)
            branches += " '" + std::string(item) + "'";
        branches += " ;;\n";
    }
    branches.pop_back();
    return branches;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: " << argv[0] << " TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ifstream in(argv[1]);
    std::stringstream text;
    text << in.rdbuf();
    std::string script = text.str();
    std::string names, settable;
    for (const kv3124::Field& field : kv3124::fields()) {
        names += (names.empty() ? "" : " ") + std::string(field.name);
        if (kv3124::findRegister(field.reg)->access == kv3124::RegisterAccess::Written)
            settable += (settable.empty() ? "" : " ") + std::string(field.name);
    }
    replace(script, "@FIELDS@", names);
    replace(script, "@SETTABLE@", settable);
    replace(script, "@ITEMS@", itemBranches());
    std::ofstream out(argv[2]);
    out << script;
    return in && out.flush() ? 0 : 1;
}
