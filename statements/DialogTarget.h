// The target of a #path section chosen by the user: "#path dialog" picks
// the file in an Open dialog described by the script
// ("title|name|description|pattern|...|") and loads it as the image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CSourceData;
class CStatement;

// Decodes the quoted unit and splits it into title, proposed file name and
// filter (every bar after the name turned into a NUL byte). False when the
// unit is not quoted, does not end with a bar, or holds fewer than four or
// an odd number of bars.
bool ParseDialogSpec(std::string unit, std::vector<std::string>& fields);

// Shows the dialog for operand 0 (the quoted dialog description) and loads the
// chosen file into the image. 0: loaded, the operands replaced by the
// chosen path; 1: cancelled; -1: any other failure.
int32_t HandleDialog(CSourceData& image, CStatement& statement);
