// Text from a script, or a name, as the programs show it to a person.
#pragma once

#include <string>
#include <string_view>

// The text with every control byte (below 0x20, and 0x7F) written as
// \xNN: a script cannot move the cursor, clear the screen or rewrite the
// report it is shown in. CP932's trail bytes are never control bytes, so
// double-byte characters pass whole.
std::string ShownText(std::string_view cp932);
