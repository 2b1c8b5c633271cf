// qpx's entry: the arguments after the program name go to RunQpx, whose
// answer is the exit status.
#include <string>
#include <vector>

#include "console/Commands.h"

int main(int argc, char** argv) { return RunQpx(std::vector<std::string>(argv + 1, argv + argc)); }
