// A dialog's static event table: the first entry matching a notification runs.
#pragma once

#include "NotifyCode.h"

#include <span>

template <class Dialog> struct EventEntry {
    NotifyCode code;
    int controlId;
    void (*handler)(Dialog&);
};

template <class Dialog>
bool dispatchEvent(std::span<const EventEntry<Dialog>> table, Dialog& dialog, NotifyCode code, int controlId)
{
    for (const auto& entry : table) {
        if (entry.code == code && entry.controlId == controlId) {
            entry.handler(dialog);
            return true;
        }
    }
    return false;
}
