#include <exception>
#include <new>

#include "QuopraVersion.h"
#include "console/Commands.h"
#include "console/ExitStatus.h"
#include "console/Messages.h"

namespace {

// In the form GNU programs give: the version, the copyright and the licence.
constexpr std::string_view kVersionText =
    "qpx " QPX_VERSION
    "\n"
    "Copyright (C) 2026 The Quopra authors\n"
    "License MIT: <https://opensource.org/license/mit>\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

int Dispatch(const CommandLine& line, COutput& out, COutput& err) {
  switch (line.command) {
    case Command::kHelp:
      out.WriteText(HelpText(line.language));
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

std::string NoCp932FormNote(const platform::CommandArgument& name, Language language) {
  return name.hasCp932Form ? std::string()
                           : std::string(MessageText(Message::kNoCp932Form, language));
}

int RunQpx(const std::vector<platform::CommandArgument>& arguments) {
  COutput out(platform::StdStream::kOutput);
  COutput err(platform::StdStream::kError);
  CommandLine line;
  std::string error;
  if (!ParseCommandLine(arguments, platform::UserLanguage(), line, error)) {
    err.WriteText("qpx: " + error + "\n" + UsageText(line.language));
    return kExitUsage;
  }
  int status = kExitInternal;
  try {
    status = Dispatch(line, out, err);
  } catch (const std::bad_alloc&) {
    err.WriteText("qpx: " + std::string(MessageText(ConsoleMessage::kOutOfMemory, line.language)) + "\n");
  } catch (const std::exception& failure) {
    err.WriteText(
        "qpx: " + Fill(MessageText(ConsoleMessage::kInternalFault, line.language), {failure.what()}) +
        "\n");
  }
  if (!out.Flush() && status == kExitSuccess) status = kExitCannotWrite;
  return status;
}
