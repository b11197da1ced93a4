// A system error's text as the programs print it: the same in every locale, as everything else they print.
#pragma once

#include <cstring>
#include <string>

inline std::string errorText(int error)
{
    const char* text = ::strerrordesc_np(error);
    return text ? text : "error " + std::to_string(error);
}
