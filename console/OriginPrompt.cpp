#include "console/OriginPrompt.h"

#include "console/Messages.h"
#include "interpreter/ChangeList.h"
#include "platform/Console.h"
#include "platform/Registry.h"
#include "text/ShownText.h"

bool MayRunMarkedScript(CScriptFile& script, const CommandLine& line,
                        const platform::OriginMark& mark, CRunHost& host, COutput& err) {
  const std::string name = ShownText(line.operands[0].text);
  const Language language = line.language;
  if (mark.zone == platform::Zone::kRestricted) {
    err.WriteText("qpx: " + Fill(MessageText(ConsoleMessage::kRestricted, language), {name}) + "\n");
    return false;
  }
  if (mark.zone != platform::Zone::kInternet || line.trust) return true;
  if (!platform::IsTerminal(platform::StdStream::kInput) ||
      !platform::IsTerminal(platform::StdStream::kError)) {
    err.WriteText("qpx: " + Fill(MessageText(ConsoleMessage::kNeedsTrust, language), {name}) + "\n");
    return false;
  }
  std::string from;
  if (!mark.url.empty()) from.append(" (").append(ShownText(mark.url)).append(")");
  return host.Confirm("qpx: " + Fill(MessageText(ConsoleMessage::kFromInternet, language), {name, from}) +
                      "\n" +
                      DescribeChanges(ForeseeRun(script, host, platform::kHasRegistry),
                                      kWholeChangeList, "  ", language) +
                      std::string(MessageText(ConsoleMessage::kRunIt, language)));
}
