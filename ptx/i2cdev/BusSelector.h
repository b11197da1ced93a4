// Which bus the user means: "i2c-N" by number, or "i2c:NAME" by the adapter's name.
#pragma once

#include "ptx/i2cdev/BusDirectory.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ptx::i2cdev {

// The bus chosen, or why there is none.
struct BusChoice {
    std::optional<BusEntry> bus;
    std::string problem;
};

class BusSelector {
public:
    // Nothing when `text` is neither "i2c-N" nor "i2c:NAME".
    static std::optional<BusSelector> parse(std::string_view text);

    const std::string& text() const { return text_; }
    // Exactly one bus with a device node, or the reason why not.
    BusChoice choose(const std::vector<BusEntry>& buses, bool i2cDevLoaded) const;

private:
    enum class Match { Number, Name };
    BusSelector(std::string text, Match match, std::string key, int number);

    std::vector<BusEntry> matching(const std::vector<BusEntry>& buses) const;

    std::string text_;
    Match match_;
    std::string name_;
    int number_;
};

} // namespace ptx::i2cdev
