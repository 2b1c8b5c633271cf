#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "console/CommandLine.h"

namespace {

struct ParseCase {
  const char* name;
  std::vector<std::string> arguments;
  bool valid;
  Command command = Command::kHelp;
  std::vector<std::string> operands = {};
  std::optional<std::string> target = std::nullopt;
  std::optional<std::string> output = std::nullopt;
  bool reverse = false;
  bool raw = false;
};

class CommandLineParse : public testing::TestWithParam<ParseCase> {};

// Arguments as the system gives them: the same bytes in both forms.
std::vector<platform::CommandArgument> Arguments(const std::vector<std::string>& texts) {
  std::vector<platform::CommandArgument> arguments;
  for (const std::string& text : texts) arguments.push_back({text, true, text});
  return arguments;
}

std::vector<std::string> Texts(const std::vector<platform::CommandArgument>& arguments) {
  std::vector<std::string> texts;
  for (const auto& argument : arguments) texts.push_back(argument.text);
  return texts;
}

std::optional<std::string> Text(const std::optional<platform::CommandArgument>& argument) {
  if (!argument) return std::nullopt;
  EXPECT_EQ(argument->text, argument->system);
  return argument->text;
}

TEST_P(CommandLineParse, AcceptsValidLinesAndRefusesTheRest) {
  const ParseCase& c = GetParam();
  CommandLine line;
  std::string error;
  ASSERT_EQ(ParseCommandLine(Arguments(c.arguments), Language::kEnglish, line, error), c.valid)
      << error;
  if (!c.valid) {
    EXPECT_FALSE(error.empty());
    return;
  }
  EXPECT_EQ(line.command, c.command);
  EXPECT_EQ(Texts(line.operands), c.operands);
  EXPECT_EQ(Text(line.target), c.target);
  EXPECT_EQ(Text(line.output), c.output);
  EXPECT_EQ(line.reverse, c.reverse);
  EXPECT_EQ(line.raw, c.raw);
}

// --lang before or after the command's name chooses the language of every
// message; without it the user's language stands.
TEST(CommandLineLanguage, IsTheLangOptionsOrTheUsers) {
  const std::vector<std::pair<std::vector<std::string>, Language>> cases = {
      {{"--lang", "ja", "run", "a.qpx"}, Language::kJapanese},
      {{"list", "a", "b", "--lang=ja"}, Language::kJapanese},
      {{"--lang=ja", "--help"}, Language::kJapanese},
      {{"--lang", "ja", "diff", "a", "b", "--lang", "en"}, Language::kEnglish},
      {{"run", "a.qpx"}, Language::kEnglish}};
  for (const auto& [arguments, language] : cases) {
    CommandLine line;
    std::string error;
    ASSERT_TRUE(ParseCommandLine(Arguments(arguments), Language::kEnglish, line, error)) << error;
    EXPECT_EQ(line.language, language) << arguments.back();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLineParse,
    testing::Values(ParseCase{"Help", {"--help"}, true, Command::kHelp},
                    ParseCase{"ShortHelp", {"-h"}, true, Command::kHelp},
                    ParseCase{"HelpAfterCommand", {"run", "--help"}, true, Command::kHelp},
                    ParseCase{"Version", {"--version"}, true, Command::kVersion},
                    ParseCase{"VersionWithExtra", {"--version", "x"}, false},
                    ParseCase{"Nothing", {}, false},
                    ParseCase{"UnknownCommand", {"apply", "a.qpx"}, false},
                    ParseCase{"Run", {"run", "a.qpx"}, true, Command::kRun, {"a.qpx"}},
                    ParseCase{"RunWithTarget",
                              {"run", "a.qpx", "--target", "t.bin"},
                              true,
                              Command::kRun,
                              {"a.qpx"},
                              "t.bin"},
                    ParseCase{"TargetBeforeScript",
                              {"check", "--target=t b.bin", "a.qpx"},
                              true,
                              Command::kCheck,
                              {"a.qpx"},
                              "t b.bin"},
                    ParseCase{"TargetWithoutValue", {"run", "a.qpx", "--target"}, false},
                    ParseCase{
                        "TargetTwice", {"run", "a.qpx", "--target", "x", "--target", "y"}, false},
                    ParseCase{"RunWithoutScript", {"run"}, false},
                    ParseCase{"RunWithTwoScripts", {"run", "a.qpx", "b.qpx"}, false},
                    ParseCase{"RunRefusesReverse", {"run", "a.qpx", "--reverse"}, false},
                    ParseCase{"Diff", {"diff", "a", "b"}, true, Command::kDiff, {"a", "b"}},
                    ParseCase{"DiffOutputReverse",
                              {"diff", "-o", "s.qpx", "a", "b", "--reverse"},
                              true,
                              Command::kDiff,
                              {"a", "b"},
                              std::nullopt,
                              "s.qpx",
                              true},
                    ParseCase{"DiffLongOutput",
                              {"diff", "a", "b", "--output=s.qpx"},
                              true,
                              Command::kDiff,
                              {"a", "b"},
                              std::nullopt,
                              "s.qpx"},
                    ParseCase{"DiffOneFile", {"diff", "a"}, false},
                    ParseCase{"DiffRefusesRaw", {"diff", "a", "b", "--raw"}, false},
                    ParseCase{"ReverseTakesNoValue", {"diff", "a", "b", "--reverse=yes"}, false},
                    ParseCase{"ListRaw",
                              {"list", "--raw", "a", "b"},
                              true,
                              Command::kList,
                              {"a", "b"},
                              std::nullopt,
                              std::nullopt,
                              false,
                              true},
                    ParseCase{"DashDashEndsOptions",
                              {"list", "--", "-a", "--raw"},
                              true,
                              Command::kList,
                              {"-a", "--raw"}},
                    ParseCase{"DashIsCheckedScript", {"check", "-"}, true, Command::kCheck, {"-"}},
                    ParseCase{"DashIsNoScriptToRun", {"run", "-", "--trust"}, false},
                    ParseCase{"RunFileNamedDash", {"run", "./-"}, true, Command::kRun, {"./-"}},
                    ParseCase{"DiffOutputDash",
                              {"diff", "a", "b", "-o", "-"},
                              true,
                              Command::kDiff,
                              {"a", "b"},
                              std::nullopt,
                              "-"},
                    ParseCase{"UnknownOption", {"list", "a", "b", "--fast"}, false},
                    ParseCase{"LangOfNoKnownLanguage", {"run", "a.qpx", "--lang", "de"}, false},
                    ParseCase{"LangWithoutValue", {"--lang"}, false},
                    ParseCase{"LangAsAnOperandAfterDashDash",
                              {"run", "--", "--lang"},
                              true,
                              Command::kRun,
                              {"--lang"}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(HelpText, ListsEveryCommandAndEveryExitStatus) {
  std::string help = HelpText(Language::kEnglish);
  for (const char* expected : {"qpx run SCRIPT", "qpx check SCRIPT", "qpx diff FILE1 FILE2",
                               "qpx list FILE1 FILE2", "--version", "\n  2    ", "\n  13   ",
                               "\n  16   ", "\n  18   no registry on this system"}) {
    EXPECT_NE(help.find(expected), std::string::npos) << expected;
  }
}

// The last line says where a problem is reported, in both languages.
TEST(HelpText, EndsWithWhereToReportAProblem) {
  for (Language language : {Language::kEnglish, Language::kJapanese}) {
    std::string help = HelpText(language);
    size_t last = help.rfind('\n', help.size() - 2);
    EXPECT_NE(help.find("Reporting a problem", last), std::string::npos) << help.substr(last);
    EXPECT_EQ(help.back(), '\n');
  }
}

// Every word of the command line that a usage error repeats is shown with
// its control characters escaped.
TEST(CommandLineError, ShowsTheArgumentsControlCharactersEscaped) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"\x1B[2Jrun"}, "unknown command \\x1B[2Jrun"},
      {{"list", "a", "b",
        "--r\x07"
        "aw"},
       "unknown option --r\\x07aw for list"},
      {{"diff", "a", "b", "--reverse\x1B=x"}, "unknown option --reverse\\x1B for diff"},
      {{"--lang", "e\rn", "--help"}, "--lang takes ja or en, not e\\x0Dn"},
      {{"list", "a", "b", "--raw=\x1B"}, "option --raw takes no value"}};
  for (const auto& [arguments, expected] : cases) {
    CommandLine line;
    std::string error;
    ASSERT_FALSE(ParseCommandLine(Arguments(arguments), Language::kEnglish, line, error));
    EXPECT_EQ(error, expected) << arguments.back();
  }
}

}  // namespace
