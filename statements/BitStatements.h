// "address =bit pattern ;" and "first to last =bit pattern ;": single bits
// set, cleared or kept, eight pattern characters per byte.
#pragma once

#include <string>

#include "language/Statement.h"

class CSourceData;

// Applies one group of eight characters (bit 7 first): 1 sets, 0 clears,
// X keeps. False, byte unchanged, for anything but eight of 0, 1 and X.
bool ApplyBitGroup(unsigned char& byte, const std::string& group);

HandlerResult HandleSetBits(CSourceData& image, CStatement& statement);
HandlerResult HandleFillBits(CSourceData& image, CStatement& statement);
