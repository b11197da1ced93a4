// What the window and kv3124ctl both say about the adapter, worded once.
#pragma once

#include <string>

// The adapters --list-adapters shows: sim, none and this machine's I2C buses, one a line.
std::string adapterListing();
// Why `name` chooses no adapter, naming the choices.
std::string unknownAdapterMessage(const std::string& name);
// "Version: USB RFW:2.5; FFW:1.3": each byte packs major and minor number as high and low nibble.
std::string versionLine(unsigned char rfwByte, unsigned char ffwByte);
