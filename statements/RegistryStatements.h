// "binary", "string", "dword" and "dword_dec": each writes one registry
// value at once, under the value path of its #registry section.
#pragma once

#include <cstdint>

class CParseScript;
class CStatement;

int32_t HandleBinaryValue(CParseScript& script, CStatement& statement);
int32_t HandleStringValue(CParseScript& script, CStatement& statement);
int32_t HandleDwordValue(CParseScript& script, CStatement& statement);
int32_t HandleDecimalDwordValue(CParseScript& script, CStatement& statement);
