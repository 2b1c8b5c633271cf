#include "interpreter/StatementTables.h"

#include <array>

#include "statements/BitStatements.h"
#include "statements/ByteStatements.h"
#include "statements/DialogTarget.h"
#include "statements/RegistryStatements.h"

namespace {

// The dialog form is offered only as the argument of a directive. As a
// statement ("dialog" "spec" ;) it would load a second file into the image
// and then save those bytes over the section's own target, so its shape is
// deliberately absent and such a statement is a script error.
constexpr std::array<ImageShape, 4> kImageTable = {{
    {"X=X", HandleSetBytes},
    {"XtoX=X", HandleFillBytes},
    {"X=bitB", HandleSetBits},
    {"XtoX=bitB", HandleFillBits},
}};

constexpr std::array<RegistryShape, 4> kRegistryTable = {{
    {"binaryX", HandleBinaryValue},
    {"stringS", HandleStringValue},
    {"dwordX", HandleDwordValue},
    {"dword_dec9", HandleDecimalDwordValue},
}};

constexpr StatementTables kStatements = {kImageTable, kRegistryTable, HandleDialog};

}  // namespace

const StatementTables& QuopraStatements() { return kStatements; }
