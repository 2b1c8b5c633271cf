// Every statement a run knows, with its handler: the byte and bit
// statements, the registry values and the dialog target.
#pragma once

#include "language/ShapeTables.h"

const StatementTables& QuopraStatements();
