#include "console/CommandLine.h"

#include <array>
#include <string_view>

#include "console/ExitStatus.h"

namespace {

enum Option : unsigned { kNone = 0, kTarget = 1, kOutput = 2, kReverse = 4, kRaw = 8 };

struct CommandRow {
  std::string_view name;
  Command command;
  size_t operands;
  unsigned options;  // the options the command accepts
  std::string_view usage;
};

constexpr std::array<CommandRow, 4> kCommands = {{
    {"run", Command::kRun, 1, kTarget, "qpx run SCRIPT [--target PATH]"},
    {"check", Command::kCheck, 1, kTarget, "qpx check SCRIPT [--target PATH]"},
    {"diff", Command::kDiff, 2, kOutput | kReverse, "qpx diff FILE1 FILE2 [-o SCRIPT] [--reverse]"},
    {"list", Command::kList, 2, kRaw, "qpx list FILE1 FILE2 [--raw]"},
}};

struct OptionRow {
  std::string_view name;
  Option option;
  bool takesValue;
};

constexpr std::array<OptionRow, 5> kOptions = {{
    {"--target", kTarget, true},
    {"-o", kOutput, true},
    {"--output", kOutput, true},
    {"--reverse", kReverse, false},
    {"--raw", kRaw, false},
}};

const OptionRow* FindOption(std::string_view name) {
  for (const OptionRow& row : kOptions) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// Stores one option of the command; false with the reason in error.
bool TakeOption(const OptionRow& row, const platform::CommandArgument& value, CommandLine& line,
                std::string& error) {
  std::optional<platform::CommandArgument>* slot = row.option == kTarget   ? &line.target
                                                   : row.option == kOutput ? &line.output
                                                                           : nullptr;
  bool* flag = row.option == kReverse ? &line.reverse : row.option == kRaw ? &line.raw : nullptr;
  if ((slot != nullptr && slot->has_value()) || (flag != nullptr && *flag)) {
    error = "option " + std::string(row.name) + " given twice";
    return false;
  }
  if (slot != nullptr) *slot = value;
  if (flag != nullptr) *flag = true;
  return true;
}

// "--name=value" gives its value, in both of its forms.
platform::CommandArgument ValueAfterEquals(const platform::CommandArgument& argument) {
  platform::CommandArgument value = argument;
  value.text.erase(0, argument.text.find('=') + 1);
  value.system.erase(0, argument.system.find('=') + 1);
  return value;
}

// Reads the arguments after the command name.
bool ParseCommandArguments(const CommandRow& command,
                           const std::vector<platform::CommandArgument>& arguments,
                           CommandLine& line, std::string& error) {
  bool optionsEnded = false;
  for (size_t at = 1; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at].text;
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      line.operands.push_back(arguments[at]);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "--help" || argument == "-h") {
      line.command = Command::kHelp;
      return true;
    }
    size_t equals = argument.find('=');
    std::string name = argument.substr(0, equals);
    const OptionRow* row = FindOption(name);
    if (row == nullptr || (command.options & row->option) == 0) {
      error = "unknown option " + name + " for " + std::string(command.name);
      return false;
    }
    platform::CommandArgument value;
    if (row->takesValue && equals != std::string::npos) {
      value = ValueAfterEquals(arguments[at]);
    } else if (row->takesValue) {
      if (++at == arguments.size()) {
        error = "option " + name + " needs a value";
        return false;
      }
      value = arguments[at];
    } else if (equals != std::string::npos) {
      error = "option " + name + " takes no value";
      return false;
    }
    if (!TakeOption(*row, value, line, error)) return false;
  }
  if (line.operands.size() != command.operands) {
    error = "usage: " + std::string(command.usage);
    return false;
  }
  return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<platform::CommandArgument>& arguments, CommandLine& line,
                      std::string& error) {
  line = CommandLine();
  if (arguments.empty()) {
    error = "no command given";
    return false;
  }
  const std::string& first = arguments[0].text;
  if (first == "--help" || first == "-h" || first == "help") return true;
  if (first == "--version") {
    line.command = Command::kVersion;
    if (arguments.size() == 1) return true;
    error = "--version takes no arguments";
    return false;
  }
  for (const CommandRow& row : kCommands) {
    if (row.name != first) continue;
    line.command = row.command;
    return ParseCommandArguments(row, arguments, line, error);
  }
  error = "unknown command " + first;
  return false;
}

std::string UsageText() {
  std::string text = "usage:\n";
  for (const CommandRow& row : kCommands) text += "  " + std::string(row.usage) + "\n";
  return text + "  qpx --help | --version\n";
}

std::string HelpText() {
  std::string text = UsageText();
  text +=
      "\n"
      "run     runs a Quopra script as qpxrun does; a #path dialog section takes\n"
      "        --target PATH, or asks on the terminal, or is cancelled\n"
      "check   runs the script against images in memory: writes no file and no\n"
      "        registry value; reports per section what would change\n"
      "diff    writes the script that turns FILE1 into FILE2 (FILE2 into FILE1\n"
      "        with --reverse), to SCRIPT or to standard output\n"
      "list    prints the differing bytes (CP932 and CR LF unchanged with --raw)\n"
      "\n"
      "exit status:\n";
  for (const ExitStatusRow& row : ExitStatusTable()) {
    std::string status = std::to_string(row.status);
    status.resize(5, ' ');
    text += "  " + status + std::string(row.meaning) + "\n";
  }
  return text;
}
