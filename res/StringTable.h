// The string table: texts the program loads by id.
#pragma once

#include <string_view>

// Empty when no string has this id.
std::string_view loadString(int id);
