#include <new>

#include "compare/Comparison.h"
#include "compare/DiffMessages.h"
#include "compare/Listing.h"
#include "compare/ScriptFile.h"
#include "compare/ScriptText.h"
#include "console/Commands.h"
#include "console/ExitStatus.h"
#include "console/Messages.h"
#include "console/Progress.h"
#include "platform/Files.h"
#include "text/ShownText.h"

namespace {

void ReportMessage(DiffMessage message, const platform::CommandArgument& path, Language language,
                   COutput& err) {
  err.WriteText("qpx: " + ShownText(path.text) + ": " + std::string(FileText(message, language)) +
                NoCp932FormNote(path, language) + "\n");
}

// Loads and compares the two files as qpxdiff's Open command does: 0, or
// the status of the failure, reported on err. The size notice is the pane
// text, which list prints as its listing. A file whose name has no CP932
// form cannot be read: the listing and the script would not name it.
int Compare(const CommandLine& line, CComparison& comparison, COutput& err) {
  const platform::CommandArgument& first = line.operands[0];
  const platform::CommandArgument& second = line.operands[1];
  if (!first.hasCp932Form) {
    ReportMessage(DiffMessage::kFirstLoadFailed, first, line.language, err);
    return kExitFirstUnreadable;
  }
  if (!second.hasCp932Form) {
    ReportMessage(DiffMessage::kSecondLoadFailed, second, line.language, err);
    return kExitSecondUnreadable;
  }
  CProgress progress(FileSize(first.text) + FileSize(second.text) > kLongWorkBytes);
  progress.Step(Fill(MessageText(ConsoleMessage::kComparing, line.language),
                     {ShownText(first.text), ShownText(second.text)}));
  switch (comparison.CompareFiles(first.text, second.text)) {
    case CompareOutcome::kCompared:
      return kExitSuccess;
    case CompareOutcome::kFirstLoadFailed:
      ReportMessage(DiffMessage::kFirstLoadFailed, first, line.language, err);
      return kExitFirstUnreadable;
    case CompareOutcome::kSecondLoadFailed:
      ReportMessage(DiffMessage::kSecondLoadFailed, second, line.language, err);
      return kExitSecondUnreadable;
    case CompareOutcome::kSizesDiffer:
      break;
  }
  return kExitSizesDiffer;
}

// "-o -" writes to standard output, as no -o does (a file named "-" is
// "./-").
bool WritesToStandardOutput(const CommandLine& line) {
  return !line.output || line.output->text == "-";
}

// Says "qpx: message" for a status of the comparison that is no failure to
// read a file.
void Report(Message message, Language language, COutput& err) {
  err.WriteText("qpx: " + std::string(MessageText(message, language)) + "\n");
}

// An output that is one of the compared files, however it is spelt (a
// link, another name of the same file), is refused before anything is read.
int RefuseOutputOnInput(const CommandLine& line, COutput& err) {
  if (WritesToStandardOutput(line) || !line.output->hasCp932Form) return kExitSuccess;
  for (const platform::CommandArgument& input : line.operands) {
    if (input.hasCp932Form && platform::IsSameFile(line.output->text, input.text)) {
      err.WriteText("qpx: " +
                    Fill(MessageText(ConsoleMessage::kOutputIsInput, line.language),
                         {ShownText(line.output->text), ShownText(input.text)}) +
                    "\n");
      return kExitOutputIsInput;
    }
  }
  return kExitSuccess;
}

// The full path of the file the script changes, which finds it from any
// folder: with its drive on Windows, from the root on Linux. 0, or the
// status of a file no script can name.
int PathInScript(const platform::CommandArgument& file, Direction direction, Language language,
                 std::string& path, COutput& err) {
  bool first = direction == Direction::kForward;
  if (!platform::GetFullPath(file.text, path)) {
    ReportMessage(first ? DiffMessage::kFirstLoadFailed : DiffMessage::kSecondLoadFailed, file,
                  language, err);
    err.WriteText(
        "qpx: " + Fill(MessageText(ConsoleMessage::kNoFullPath, language), {ShownText(file.text)}) + "\n");
    return first ? kExitFirstUnreadable : kExitSecondUnreadable;
  }
  if (!ScriptCanName(path)) {
    err.WriteText(
        "qpx: " + Fill(MessageText(Message::kCannotName, language), {ShownText(file.text)}) + "\n");
    return kExitCannotName;
  }
  return kExitSuccess;
}

}  // namespace

int DiffCommand(const CommandLine& line, COutput& out, COutput& err) {
  if (int status = RefuseOutputOnInput(line, err); status != kExitSuccess) return status;
  CComparison comparison;
  if (int status = Compare(line, comparison, err); status != kExitSuccess) {
    if (status == kExitSizesDiffer) Report(Message::kSizesDiffer, line.language, err);
    return status;
  }
  if (!comparison.FoundDifferences()) {
    Report(Message::kNoDifferences, line.language, err);
    return kExitNoDifferences;
  }
  Direction direction = line.reverse ? Direction::kReverse : Direction::kForward;
  std::string source;
  int named =
      PathInScript(line.operands[line.reverse ? 1 : 0], direction, line.language, source, err);
  if (named != kExitSuccess) return named;
  if (WritesToStandardOutput(line)) {
    bool written =
        StreamScript(source, comparison.Differences(), direction, [&out](std::string_view piece) {
          out.Write(piece);
          return !out.Failed();
        });
    out.Write(std::string_view("\0", 1));  // the zero byte that ends a script file
    return written && out.Flush() ? kExitSuccess : kExitCannotWrite;
  }
  if (!line.output->hasCp932Form) {
    ReportMessage(DiffMessage::kCannotCreate, *line.output, line.language, err);
    return kExitCannotCreate;
  }
  switch (StreamScriptFile(line.output->text, source, comparison.Differences(), direction)) {
    case ScriptWriteResult::kWritten:
      return kExitSuccess;
    case ScriptWriteResult::kCannotCreate:
      ReportMessage(DiffMessage::kCannotCreate, *line.output, line.language, err);
      return kExitCannotCreate;
    case ScriptWriteResult::kCannotSave:
      break;
  }
  ReportMessage(DiffMessage::kCannotSave, *line.output, line.language, err);
  return kExitCannotWrite;
}

// The listing is text for a person: the names as every name from the
// command line is shown (control characters escaped), its notices in the
// user's language, in the terminal's encoding. With --raw it is data: the
// bytes of qpxdiff's pane, names and notices as they are, which no
// translation or escaping may change. Differing sizes are also said on
// err, as every failure is.
int ListCommand(const CommandLine& line, COutput& out, COutput& err) {
  CComparison comparison;
  int status = Compare(line, comparison, err);
  if (status == kExitSizesDiffer) {
    Report(Message::kSizesDiffer, line.language, err);
    if (line.raw) out.Write(kSizeMismatchText);
    return out.Flush() ? status : kExitCannotWrite;
  }
  if (status != kExitSuccess) return status;
  bool whole = false;
  if (line.raw) {
    whole = StreamListing(comparison.FirstPath(), comparison.SecondPath(), comparison.Differences(),
                          [&out](std::string_view piece) {
                            out.Write(piece);
                            return !out.Failed();
                          });
  } else {
    // The pieces end at line ends, so each converts on its own.
    std::string noDifferences =
        std::string(MessageText(Message::kNoDifferences, line.language)) + "\r\n";
    whole = StreamListing(
        ShownText(comparison.FirstPath()), ShownText(comparison.SecondPath()),
        comparison.Differences(),
        [&out](std::string_view piece) {
          out.WriteText(piece);
          return !out.Failed();
        },
        noDifferences);
  }
  return whole && out.Flush() ? kExitSuccess : kExitCannotWrite;
}
