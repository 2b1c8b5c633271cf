// "binary", "string", "dword" and "dword_dec": each writes one registry
// value at once, under the value path of its #registry section.
#pragma once

#include "language/Statement.h"

class CRunHost;

HandlerResult HandleBinaryValue(CRunHost& host, CStatement& statement);
HandlerResult HandleStringValue(CRunHost& host, CStatement& statement);
HandlerResult HandleDwordValue(CRunHost& host, CStatement& statement);
HandlerResult HandleDecimalDwordValue(CRunHost& host, CStatement& statement);
