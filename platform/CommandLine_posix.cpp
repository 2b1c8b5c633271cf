#include <locale.h>
#include <unistd.h>

#include <utility>

#include "platform/CommandLine.h"
#include "platform/Cp932_posix.h"

namespace platform {

CommandArgument ArgumentOf(std::string system) {
  CommandArgument argument;
  argument.hasCp932Form = posix::ToCp932Name(system, argument.text);
  if (!argument.hasCp932Form) argument.text = posix::ToCp932Shown(system);
  argument.system = std::move(system);
  return argument;
}

std::vector<CommandArgument> GetCommandArguments(int argc, char** argv) {
  // File names and the terminal are in the locale's encoding from here on.
  ::setlocale(LC_CTYPE, "");
  std::vector<CommandArgument> arguments;
  for (int at = 1; at < argc; ++at) arguments.push_back(ArgumentOf(argv[at]));
  return arguments;
}

bool EnterFolderOf(const CommandArgument& path, std::string& fileName) {
  size_t slash = path.system.rfind('/');
  if (slash == std::string::npos) return false;
  if (!posix::ToCp932Name(path.system.substr(slash + 1), fileName)) return false;
  std::string folder = slash == 0 ? "/" : path.system.substr(0, slash);
  return ::chdir(folder.c_str()) == 0;
}

}  // namespace platform
