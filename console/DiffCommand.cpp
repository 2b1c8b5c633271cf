#include <new>

#include "console/Commands.h"
#include "console/ExitStatus.h"
#include "console/Progress.h"
#include "diff/Comparison.h"
#include "diff/DiffMessages.h"
#include "diff/Listing.h"
#include "diff/ScriptFile.h"
#include "diff/ScriptText.h"

namespace {

void ReportMessage(DiffMessage message, const std::string& path, COutput& err) {
  err.WriteText("qpx: " + path + ": " + std::string(MessageOf(message).text) + "\n");
}

// Loads and compares the two files as qpxdiff's Open command does: 0, or
// the status of the failure, reported on err. The size notice is the pane
// text, which list prints as its listing.
int Compare(const CommandLine& line, CComparison& comparison, COutput& err) {
  const std::string& first = line.operands[0];
  const std::string& second = line.operands[1];
  CProgress progress(1, FileSize(first) + FileSize(second) > kLongWorkBytes);
  progress.Step("comparing " + first + " " + second);
  switch (CompareFiles(first, second, comparison)) {
    case CompareOutcome::kCompared:
      return kExitSuccess;
    case CompareOutcome::kFirstLoadFailed:
      ReportMessage(DiffMessage::kFirstLoadFailed, first, err);
      return kExitFirstUnreadable;
    case CompareOutcome::kSecondLoadFailed:
      ReportMessage(DiffMessage::kSecondLoadFailed, second, err);
      return kExitSecondUnreadable;
    case CompareOutcome::kSizesDiffer:
      break;
  }
  return kExitSizesDiffer;
}

}  // namespace

int DiffCommand(const CommandLine& line, COutput& out, COutput& err) {
  CComparison comparison;
  if (int status = Compare(line, comparison, err); status != kExitSuccess) {
    if (status == kExitSizesDiffer) err.WriteText(std::string(kSizeMismatchText) + "\n");
    return status;
  }
  if (comparison.DifferencesFound() == 0) {
    err.WriteText(std::string(kNoDifferencesLine));
    return kExitNoDifferences;
  }
  Direction direction = line.reverse ? Direction::kReverse : Direction::kForward;
  const std::string& source =
      ScriptSourcePath(comparison.FirstPath(), comparison.SecondPath(), direction);
  std::string script = BuildScript(source, comparison.Differences(), direction);
  if (!line.output) {
    out.Write(std::string_view(script.c_str(), script.size() + 1));  // with its zero byte
    return out.Flush() ? kExitSuccess : kExitCannotWrite;
  }
  switch (WriteScriptFile(*line.output, script)) {
    case ScriptWriteResult::kWritten:
      return kExitSuccess;
    case ScriptWriteResult::kCannotCreate:
      ReportMessage(DiffMessage::kCannotCreate, *line.output, err);
      return kExitCannotCreate;
    case ScriptWriteResult::kCannotSave:
      break;
  }
  ReportMessage(DiffMessage::kCannotSave, *line.output, err);
  return kExitCannotWrite;
}

int ListCommand(const CommandLine& line, COutput& out, COutput& err) {
  CComparison comparison;
  int status = Compare(line, comparison, err);
  std::string listing;
  if (status == kExitSizesDiffer) {
    listing = kSizeMismatchText;
  } else if (status == kExitSuccess) {
    listing = BuildListing(comparison.FirstPath(), comparison.SecondPath(),
                           comparison.Differences());
  } else {
    return status;
  }
  if (line.raw) {
    out.Write(listing);
  } else {
    out.WriteText(listing);
  }
  if (!out.Flush()) return kExitCannotWrite;
  return status;
}
