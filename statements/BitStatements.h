// "address =bit pattern ;" and "first to last =bit pattern ;": single bits
// set, cleared or kept, eight pattern characters per byte.
#pragma once

#include <cstdint>
#include <string>

class CSourceData;
class CStatement;

// Applies one group of eight characters (bit 7 first): 1 sets, 0 clears,
// X keeps. False, byte unchanged, for anything but eight of 0, 1 and X.
bool ApplyBitGroup(unsigned char& byte, const std::string& group);

int32_t HandleSetBits(CSourceData& image, CStatement& statement);
int32_t HandleFillBits(CSourceData& image, CStatement& statement);
