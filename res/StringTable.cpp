#include "StringTable.h"

#include "ResourceIds.h"

std::string_view loadString(int id)
{
    switch (id) {
    case IDS_ABOUTBOX:
        return "&About KV3124...";
    default:
        return {};
    }
}
