#include "script/ShapeTables.h"

#include "patch/BitStatements.h"
#include "patch/ByteStatements.h"
#include "registry/RegistryStatements.h"

// The dialog form is offered only as the argument of a directive. As a
// statement ("dialog" "spec" ;) it would load a second file into the image
// and then save those bytes over the section's own target, so its shape is
// deliberately absent and such a statement is a script error.
const std::array<ImageShape, 4> kImageTable = {{
    {"X=X", HandleSetBytes},
    {"XtoX=X", HandleFillBytes},
    {"X=bitB", HandleSetBits},
    {"XtoX=bitB", HandleFillBits},
}};

const std::array<RegistryShape, 4> kRegistryTable = {{
    {"binaryX", HandleBinaryValue},
    {"stringS", HandleStringValue},
    {"dwordX", HandleDwordValue},
    {"dword_dec9", HandleDecimalDwordValue},
}};
