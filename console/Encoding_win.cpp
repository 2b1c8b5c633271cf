#include "console/Encoding.h"

std::string ToTerminalText(std::string_view cp932) { return std::string(cp932); }
