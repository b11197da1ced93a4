// Our texts are UTF-8 in std::string and std::string_view; the toolkit's are QString.
#pragma once

#include <QString>

#include <string_view>

inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
