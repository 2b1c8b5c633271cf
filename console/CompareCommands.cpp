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

namespace {

void ReportMessage(DiffMessage message, const platform::CommandArgument& path, Language language,
                   COutput& err) {
  err.WriteText("qpx: " + path.text + ": " + std::string(FileText(message, language)) +
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
  progress.Step(Fill(MessageText(Message::kComparing, line.language), {first.text, second.text}));
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

// An output that is one of the compared files, however it is spelt (a
// link, another name of the same file), is refused before anything is read.
int RefuseOutputOnInput(const CommandLine& line, COutput& err) {
  if (!line.output || !line.output->hasCp932Form) return kExitSuccess;
  for (const platform::CommandArgument& input : line.operands) {
    if (input.hasCp932Form && platform::IsSameFile(line.output->text, input.text)) {
      err.WriteText("qpx: " +
                    Fill(MessageText(Message::kOutputIsInput, line.language),
                         {line.output->text, input.text}) +
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
  if (!platform::GetFullPathNameA(file.text, path)) {
    ReportMessage(first ? DiffMessage::kFirstLoadFailed : DiffMessage::kSecondLoadFailed, file,
                  language, err);
    err.WriteText("qpx: " + Fill(MessageText(Message::kNoFullPath, language), {file.text}) + "\n");
    return first ? kExitFirstUnreadable : kExitSecondUnreadable;
  }
  if (!ScriptCanName(path)) {
    err.WriteText("qpx: " + Fill(MessageText(Message::kCannotName, language), {file.text}) + "\n");
    return kExitCannotName;
  }
  return kExitSuccess;
}

}  // namespace

int DiffCommand(const CommandLine& line, COutput& out, COutput& err) {
  if (int status = RefuseOutputOnInput(line, err); status != kExitSuccess) return status;
  CComparison comparison;
  if (int status = Compare(line, comparison, err); status != kExitSuccess) {
    if (status == kExitSizesDiffer) {
      err.WriteText(std::string(MessageText(Message::kSizesDiffer, line.language)) + "\n");
    }
    return status;
  }
  if (comparison.DifferencesFound() == 0) {
    err.WriteText(std::string(MessageText(Message::kNoDifferences, line.language)) + "\n");
    return kExitNoDifferences;
  }
  Direction direction = line.reverse ? Direction::kReverse : Direction::kForward;
  std::string source;
  int named =
      PathInScript(line.operands[line.reverse ? 1 : 0], direction, line.language, source, err);
  if (named != kExitSuccess) return named;
  if (!line.output) {
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

int ListCommand(const CommandLine& line, COutput& out, COutput& err) {
  CComparison comparison;
  int status = Compare(line, comparison, err);
  if (status != kExitSuccess && status != kExitSizesDiffer) return status;
  // The pieces end at line ends, so each converts on its own.
  TextSink sink = [&out, raw = line.raw](std::string_view piece) {
    if (raw) {
      out.Write(piece);
    } else {
      out.WriteText(piece);
    }
    return !out.Failed();
  };
  if (status == kExitSizesDiffer) {
    sink(kSizeMismatchText);
  } else {
    StreamListing(comparison.FirstPath(), comparison.SecondPath(), comparison.Differences(), sink);
  }
  if (!out.Flush()) return kExitCannotWrite;
  return status;
}
