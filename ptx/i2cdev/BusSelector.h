// Which bus the user means: "i2c-N" by number, "i2c:NAME" by the adapter's name, or "serial:SERIAL" by
// the serial number of its USB bridge.
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
    // Nothing when `text` is none of "i2c-N", "i2c:NAME" and "serial:SERIAL".
    static std::optional<BusSelector> parse(std::string_view text);

    const std::string& text() const { return text_; }
    // The user named the board itself, wherever it is plugged in.
    bool bySerial() const { return match_ == Match::Serial; }
    // Exactly one bus with a device node, or the reason why not.
    BusChoice choose(const std::vector<BusEntry>& buses, bool i2cDevLoaded) const;

private:
    enum class Match { Number, Name, Serial };
    BusSelector(std::string text, Match match, std::string key, int number);

    std::vector<BusEntry> matching(const std::vector<BusEntry>& buses) const;

    std::string text_;
    Match match_;
    std::string name_;
    int number_;
};

} // namespace ptx::i2cdev
