#include "ShownWrite.h"

#include "HexText.h"

#include "adapter/AdapterConnection.h"

bool writeShown(unsigned char registerAddress, unsigned char v, std::string& cell)
{
    if (!writeRegister(deviceAddress(), registerAddress, v))
        return false;
    cell = formatHex(v);
    return true;
}
