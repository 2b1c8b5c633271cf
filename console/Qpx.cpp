#include <exception>
#include <new>

#include "console/Commands.h"
#include "console/ExitStatus.h"

namespace {

constexpr std::string_view kVersionText = "qpx 1.0.0\n";

int Dispatch(const CommandLine& line, COutput& out, COutput& err) {
  switch (line.command) {
    case Command::kHelp:
      out.Write(HelpText());
      return kExitSuccess;
    case Command::kVersion:
      out.Write(kVersionText);
      return kExitSuccess;
    case Command::kRun:
    case Command::kCheck:
      return RunScriptCommand(line, out, err);
    case Command::kDiff:
      return DiffCommand(line, out, err);
    case Command::kList:
      return ListCommand(line, out, err);
  }
  return kExitInternal;
}

}  // namespace

std::string NoCp932FormNote(const platform::CommandArgument& name) {
  return name.hasCp932Form ? std::string() : " (the name has no CP932 form)";
}

int RunQpx(const std::vector<platform::CommandArgument>& arguments) {
  COutput out(platform::StdStream::kOutput);
  COutput err(platform::StdStream::kError);
  CommandLine line;
  std::string error;
  if (!ParseCommandLine(arguments, line, error)) {
    err.WriteText("qpx: " + error + "\n" + UsageText());
    return kExitUsage;
  }
  int status = kExitInternal;
  try {
    status = Dispatch(line, out, err);
  } catch (const std::bad_alloc&) {
    err.WriteText("qpx: out of memory\n");
  } catch (const std::exception& failure) {
    err.WriteText(std::string("qpx: internal fault: ") + failure.what() + "\n");
  }
  if (!out.Flush() && status == kExitSuccess) status = kExitCannotWrite;
  return status;
}
