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
    // The bus whose adapter has exactly this name, whatever its number now.
    static BusSelector adapterNamed(std::string name);

    const std::string& text() const { return text_; }
    // Exactly one bus with a device node, or the reason why not.
    BusChoice choose(const std::vector<BusEntry>& buses) const;

private:
    enum class Match { Number, ExactName, NameOrPart };
    BusSelector(std::string text, Match match, std::string key, int number);

    std::vector<BusEntry> matching(const std::vector<BusEntry>& buses) const;

    std::string text_;
    Match match_;
    std::string name_;
    int number_;
};

} // namespace ptx::i2cdev
