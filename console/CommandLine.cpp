#include "console/CommandLine.h"

#include <array>
#include <string_view>

#include "console/ExitStatus.h"
#include "text/ShownText.h"

namespace {

enum Option : unsigned {
  kNone = 0,
  kTarget = 1,
  kOutput = 2,
  kReverse = 4,
  kRaw = 8,
  kLang = 16,
  kTrust = 32,
};

struct CommandRow {
  std::string_view name;
  Command command;
  size_t operands;
  unsigned options;  // the options the command accepts besides --lang
  std::string_view usage;
  Texts help;  // what it does, in lines of 70 columns
};

constexpr CommandRow kCommands[] = {
    {"run",
     Command::kRun,
     1,
     kTarget | kTrust,
     "qpx run SCRIPT [--target PATH] [--trust]",
     {"runs a Quopra script as qpxrun does; a #path dialog section takes\n"
      "--target PATH, or asks on the terminal, or is cancelled. A script\n"
      "that came from the internet runs once confirmed on the terminal, or\n"
      "with --trust",
      "Quopraスクリプトを qpxrun と同じく実行します。#path dialog の\n"
      "セクションは --target PATH を使い、なければ端末で尋ね、端末でなければ\n"
      "キャンセルします。インターネットから取得したスクリプトは、端末で\n"
      "確認するか --trust があるときだけ実行します"}},
    {"check",
     Command::kCheck,
     1,
     kTarget,
     "qpx check SCRIPT [--target PATH]",
     {"runs the script against images in memory: writes no file and no\n"
      "registry value; reports per section what would change. SCRIPT -\n"
      "reads it from standard input (relative targets from the current\n"
      "folder)",
      "スクリプトをメモリ上のイメージに対して実行します。ファイルにも\n"
      "レジストリにも書き込まず、セクションごとに何が変わるかを報告します。\n"
      "SCRIPT が - なら標準入力から読みます (相対パスの対象は現在のフォルダー\n"
      "から探します)"}},
    {"diff",
     Command::kDiff,
     2,
     kOutput | kReverse,
     "qpx diff FILE1 FILE2 [-o SCRIPT] [--reverse]",
     {"writes the script that turns FILE1 into FILE2 (FILE2 into FILE1\n"
      "with --reverse), to SCRIPT or to standard output (also -o -)",
      "FILE1 を FILE2 に変える (--reverse では FILE2 を FILE1 に変える)\n"
      "スクリプトを SCRIPT または標準出力 (-o - でも) に書き出します"}},
    {"list",
     Command::kList,
     2,
     kRaw,
     "qpx list FILE1 FILE2 [--raw]",
     {"prints the differing bytes (with --raw the bytes of qpxdiff's pane:\n"
      "CP932, CR LF, names and notices as they are)",
      "異なるバイトの一覧を表示します (--raw では qpxdiff のペインのバイト\n"
      "のまま: CP932、CR LF、名前も通知もそのまま)"}},
};

constexpr bool CommandsHaveBothLanguages() {
  for (const CommandRow& row : kCommands) {
    if (!row.help.HasBoth()) return false;
  }
  return true;
}
static_assert(CommandsHaveBothLanguages());

struct OptionRow {
  std::string_view name;
  Option option;
  bool takesValue;
};

constexpr std::array<OptionRow, 7> kOptions = {{
    {"--target", kTarget, true},
    {"-o", kOutput, true},
    {"--output", kOutput, true},
    {"--reverse", kReverse, false},
    {"--raw", kRaw, false},
    {"--lang", kLang, true},
    {"--trust", kTrust, false},
}};

// What the command line says to a person.
enum class Usage {
  kUsage,           // the heading of the usage lines
  kNoCommand,       //
  kUnknownCommand,  // %1 the command
  kUnknownOption,   // %1 the option, %2 the command
  kGivenTwice,      // %1 the option
  kNeedsValue,      // %1 the option
  kTakesNoValue,    // %1 the option
  kNoArguments,     // %1 the option (--version)
  kBadLanguage,     // %1 the value of --lang
  kUsageOf,         // %1 the usage line of a command
  kLangHelp,        // what --lang does
  kExitStatus,      // the heading of the exit statuses
  kRunFromPipe,     // run - : a script from standard input is not run
  kReportProblem,   // where a problem is reported
  kCount
};

constexpr TextRow<Usage> kUsageTexts[] = {
    {Usage::kUsage, {"usage:", "使い方:"}},
    {Usage::kNoCommand, {"no command given", "コマンドがありません"}},
    {Usage::kUnknownCommand, {"unknown command %1", "%1 というコマンドはありません"}},
    {Usage::kUnknownOption,
     {"unknown option %1 for %2", "%2 には %1 というオプションはありません"}},
    {Usage::kGivenTwice, {"option %1 given twice", "オプション %1 が2回あります"}},
    {Usage::kNeedsValue, {"option %1 needs a value", "オプション %1 には値が必要です"}},
    {Usage::kTakesNoValue, {"option %1 takes no value", "オプション %1 は値をとりません"}},
    {Usage::kNoArguments, {"%1 takes no arguments", "%1 は引数をとりません"}},
    {Usage::kBadLanguage,
     {"--lang takes ja or en, not %1", "--lang には ja か en を指定します (%1 は使えません)"}},
    {Usage::kUsageOf, {"usage: %1", "使い方: %1"}},
    {Usage::kLangHelp,
     {"messages in Japanese or in English (by default the locale's:\n"
      "Japanese for ja, English otherwise)",
      "メッセージを日本語または英語にします (既定ではロケールに従い、\n"
      "ja なら日本語、それ以外は英語)"}},
    {Usage::kExitStatus, {"exit status:", "終了ステータス:"}},
    {Usage::kRunFromPipe,
     {"run reads no script from standard input: a piped script has no folder for its "
      "relative targets and no mark of where it came from; save it to a file first "
      "(qpx check - shows what it would change)",
      "run は標準入力からスクリプトを読みません。パイプからのスクリプトには、相対パスの"
      "対象を探すフォルダーも取得元の印もありません。ファイルに保存してから実行してください"
      " (qpx check - で何が変わるかを確かめられます)"}},
    {Usage::kReportProblem,
     {"Report a problem as the section \"Reporting a problem\" of Quopra's README says.",
      "問題の報告のしかたは、Quopra の README の「Reporting a problem」の節にあります。"}},
};
static_assert(IsVocabulary(kUsageTexts, static_cast<size_t>(Usage::kCount)));

const OptionRow* FindOption(std::string_view name) {
  for (const OptionRow& row : kOptions) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// --lang ja|en: the language of every message from here on.
bool TakeLanguage(const platform::CommandArgument& value, CommandLine& line, std::string& error) {
  if (value.text != "ja" && value.text != "en") {
    error = Say(kUsageTexts, Usage::kBadLanguage, line.language, {ShownText(value.text)});
    return false;
  }
  line.language = value.text == "ja" ? Language::kJapanese : Language::kEnglish;
  return true;
}

// Stores one option of the command; false with the reason in error.
bool TakeOption(const OptionRow& row, const platform::CommandArgument& value, CommandLine& line,
                std::string& error) {
  std::optional<platform::CommandArgument>* slot = row.option == kTarget   ? &line.target
                                                   : row.option == kOutput ? &line.output
                                                                           : nullptr;
  bool* flag = row.option == kReverse ? &line.reverse
               : row.option == kRaw   ? &line.raw
               : row.option == kTrust ? &line.trust
                                      : nullptr;
  if ((slot != nullptr && slot->has_value()) || (flag != nullptr && *flag)) {
    error = Say(kUsageTexts, Usage::kGivenTwice, line.language, {row.name});
    return false;
  }
  if (row.option == kLang) return TakeLanguage(value, line, error);
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
    if (row == nullptr || ((command.options | kLang) & row->option) == 0) {
      error =
          Say(kUsageTexts, Usage::kUnknownOption, line.language, {ShownText(name), command.name});
      return false;
    }
    platform::CommandArgument value;
    if (row->takesValue && equals != std::string::npos) {
      value = ValueAfterEquals(arguments[at]);
    } else if (row->takesValue) {
      if (++at == arguments.size()) {
        error = Say(kUsageTexts, Usage::kNeedsValue, line.language, {ShownText(name)});
        return false;
      }
      value = arguments[at];
    } else if (equals != std::string::npos) {
      error = Say(kUsageTexts, Usage::kTakesNoValue, line.language, {ShownText(name)});
      return false;
    }
    if (!TakeOption(*row, value, line, error)) return false;
  }
  if (line.operands.size() != command.operands) {
    error = Say(kUsageTexts, Usage::kUsageOf, line.language, {command.usage});
    return false;
  }
  return true;
}

// Takes the --lang options before the command; the index of the first
// other argument, or arguments.size() after a faulty one.
size_t TakeLeadingLanguage(const std::vector<platform::CommandArgument>& arguments,
                           CommandLine& line, std::string& error) {
  constexpr std::string_view kLanguageOption = "--lang";
  constexpr size_t kOptionEnd = kLanguageOption.size();
  size_t at = 0;
  while (at < arguments.size() && arguments[at].text.starts_with(kLanguageOption)) {
    const std::string& argument = arguments[at].text;
    platform::CommandArgument value;
    if (argument.size() > kOptionEnd && argument[kOptionEnd] == '=') {
      value = ValueAfterEquals(arguments[at]);
    } else if (argument.size() > kOptionEnd) {
      break;  // another word that begins so: the unknown command
    } else if (at + 1 < arguments.size()) {
      value = arguments[++at];
    } else {
      error = Say(kUsageTexts, Usage::kNeedsValue, line.language, {"--lang"});
      return arguments.size();
    }
    if (!TakeLanguage(value, line, error)) return arguments.size();
    ++at;
  }
  return at;
}

}  // namespace

bool ParseCommandLine(const std::vector<platform::CommandArgument>& arguments, Language language,
                      CommandLine& line, std::string& error) {
  line = CommandLine();
  line.language = language;
  size_t first = TakeLeadingLanguage(arguments, line, error);
  if (!error.empty()) return false;
  std::vector<platform::CommandArgument> rest(arguments.begin() + static_cast<ptrdiff_t>(first),
                                              arguments.end());
  if (rest.empty()) {
    error = Say(kUsageTexts, Usage::kNoCommand, line.language);
    return false;
  }
  const std::string& command = rest[0].text;
  if (command == "--help" || command == "-h" || command == "help") return true;
  if (command == "--version") {
    line.command = Command::kVersion;
    if (rest.size() == 1) return true;
    error = Say(kUsageTexts, Usage::kNoArguments, line.language, {"--version"});
    return false;
  }
  for (const CommandRow& row : kCommands) {
    if (row.name != command) continue;
    line.command = row.command;
    if (!ParseCommandArguments(row, rest, line, error)) return false;
    if (line.command == Command::kRun && line.operands[0].text == "-") {
      error = Say(kUsageTexts, Usage::kRunFromPipe, line.language);
      return false;
    }
    return true;
  }
  error = Say(kUsageTexts, Usage::kUnknownCommand, line.language, {ShownText(command)});
  return false;
}

std::string UsageText(Language language) {
  std::string text = Say(kUsageTexts, Usage::kUsage, language) + "\n";
  for (const CommandRow& row : kCommands) text += "  " + std::string(row.usage) + "\n";
  return text + "  qpx --help | --version\n";
}

namespace {

// A help entry: the name in a column of 8, the text's lines indented so.
std::string HelpEntry(std::string_view name, std::string_view text) {
  std::string entry(name);
  entry.resize(8, ' ');
  for (char byte : text) {
    entry += byte;
    if (byte == '\n') entry += "        ";
  }
  return entry + "\n";
}

}  // namespace

std::string HelpText(Language language) {
  std::string text = UsageText(language) + "\n";
  for (const CommandRow& row : kCommands) text += HelpEntry(row.name, row.help.In(language));
  text += '\n';
  text += HelpEntry("--lang", TextOf(kUsageTexts, Usage::kLangHelp, language));
  text += '\n';
  text += Say(kUsageTexts, Usage::kExitStatus, language);
  text += '\n';
  for (const ExitStatusRow& row : ExitStatusTable()) {
    std::string status = std::to_string(row.status);
    status.resize(5, ' ');
    text.append("  ").append(status).append(row.meaning.In(language)).append("\n");
  }
  return text + "\n" + Say(kUsageTexts, Usage::kReportProblem, language) + "\n";
}
