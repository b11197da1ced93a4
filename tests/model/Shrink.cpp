#include "Shrink.h"

#include <algorithm>

std::vector<Action> shrink(
    std::vector<Action> actions, const std::function<bool(const std::vector<Action>&)>& fails, int budget)
{
    std::size_t parts = 2;
    while (!actions.empty() && budget > 0) {
        const std::size_t chunk = (actions.size() + parts - 1) / parts;
        bool dropped = false;
        for (std::size_t start = 0; start < actions.size() && budget-- > 0; start += chunk) {
            std::vector<Action> rest(actions.begin(), actions.begin() + static_cast<long>(start));
            rest.insert(rest.end(), actions.begin() + static_cast<long>(std::min(start + chunk, actions.size())),
                actions.end());
            if (fails(rest)) {
                actions = std::move(rest);
                parts = std::max<std::size_t>(parts - 1, 2);
                dropped = true;
                break;
            }
        }
        if (!dropped && chunk == 1)
            break;
        if (!dropped)
            parts = std::min(parts * 2, actions.size());
    }
    return actions;
}
