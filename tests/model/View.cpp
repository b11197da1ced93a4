#include "View.h"

#include <sstream>

namespace {

template <class Map> void compare(std::ostream& out, const char* what, const Map& expected, const Map& actual)
{
    for (const auto& [id, value] : expected) {
        if (actual.at(id) != value)
            out << what << " " << id << ": expected \"" << value << "\", shown \"" << actual.at(id) << "\"\n";
    }
}

} // namespace

std::string difference(const View& expected, const View& actual)
{
    std::ostringstream out;
    if (expected.accesses != actual.accesses) {
        out << "bus: expected";
        for (const auto& a : expected.accesses)
            out << "\n  " << a;
        out << "\nbus: was";
        for (const auto& a : actual.accesses)
            out << "\n  " << a;
        out << "\n";
    }
    for (std::size_t reg = 0; reg < expected.chip.size(); ++reg) {
        if (expected.chip[reg] != actual.chip[reg])
            out << "chip register " << reg << ": expected " << expected.chip[reg] << ", holds " << actual.chip[reg]
                << "\n";
    }
    compare(out, "text", expected.texts, actual.texts);
    compare(out, "box", expected.boxes, actual.boxes);
    compare(out, "list", expected.selections, actual.selections);
    if (expected.slider != actual.slider)
        out << "slider: expected " << expected.slider << ", at " << actual.slider << "\n";
    return out.str();
}
