// "binary", "string", "dword" and "dword_dec": each writes one registry
// value at once, under the value path of its #registry section.
#pragma once

#include <cstdint>

class CRunHost;
class CStatement;

int32_t HandleBinaryValue(CRunHost& host, CStatement& statement);
int32_t HandleStringValue(CRunHost& host, CStatement& statement);
int32_t HandleDwordValue(CRunHost& host, CStatement& statement);
int32_t HandleDecimalDwordValue(CRunHost& host, CStatement& statement);
