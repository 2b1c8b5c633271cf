#include "console/OriginPrompt.h"

#include <optional>
#include <vector>

#include "console/CheckReport.h"
#include "console/Messages.h"
#include "interpreter/DryRun.h"
#include "interpreter/ScriptRun.h"
#include "language/Vocabulary.h"
#include "platform/Console.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "text/ShownText.h"

namespace {

// What running the script would change, as check reports it, every
// target by its full path; a dialog section's file is yet to be chosen.
std::string WhatItChanges(CScriptFile& script, CRunHost& host, Language language) {
  CDryRunImage image;
  CDryRunHost dryRun(host, image, DialogFiles::kUnknown, platform::kHasRegistry);
  std::optional<RunFailure> failure = RunScript(script, dryRun);
  dryRun.CloseOpenSection();
  std::vector<SectionReport> sections = dryRun.Sections();
  for (SectionReport& section : sections) {
    std::string full;
    if (section.directive == kDirectivePath && !section.target.empty() &&
        platform::GetFullPath(section.target, full)) {
      section.target = full;
    }
  }
  std::string text = BuildCheckReport(sections, ScriptEndLines{}, language);
  if (failure) text += "  " + std::string(MessageText(Message::kNotKnownBefore, language)) + "\n";
  return text;
}

}  // namespace

bool MayRunMarkedScript(CScriptFile& script, const CommandLine& line,
                        const platform::OriginMark& mark, CRunHost& host, COutput& err) {
  const std::string name = ShownText(line.operands[0].text);
  const Language language = line.language;
  if (mark.zone == platform::Zone::kRestricted) {
    err.WriteText("qpx: " + Fill(MessageText(Message::kRestricted, language), {name}) + "\n");
    return false;
  }
  if (mark.zone != platform::Zone::kInternet || line.trust) return true;
  if (!platform::IsTerminal(platform::StdStream::kInput) ||
      !platform::IsTerminal(platform::StdStream::kError)) {
    err.WriteText("qpx: " + Fill(MessageText(Message::kNeedsTrust, language), {name}) + "\n");
    return false;
  }
  std::string from;
  if (!mark.url.empty()) from.append(" (").append(ShownText(mark.url)).append(")");
  return host.Confirm("qpx: " + Fill(MessageText(Message::kFromInternet, language), {name, from}) +
                      "\n" + WhatItChanges(script, host, language) +
                      std::string(MessageText(Message::kRunIt, language)));
}
