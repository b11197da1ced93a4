// A register write whose byte appears in the register's read-back cell.
#pragma once

#include <string>

// Writes `v` to the chip; `cell` takes v, formatted, only when the chip took it: the cells are what
// the user trusts as the chip's contents, so a failed write leaves the cell as it was. True when written.
bool writeShown(unsigned char registerAddress, unsigned char v, std::string& cell);
