#include "console/TargetPrompt.h"

#include "console/Commands.h"
#include "console/Output.h"
#include "console/ShownText.h"

std::string DescribeFileTypes(const std::string& filter) {
  std::string described;
  size_t at = 0;
  while (at < filter.size() && filter[at] != '\0') {
    size_t descriptionEnd = filter.find('\0', at);
    if (descriptionEnd == std::string::npos) break;
    size_t patternEnd = filter.find('\0', descriptionEnd + 1);
    if (patternEnd == std::string::npos) patternEnd = filter.size();
    if (!described.empty()) described += ", ";
    described += ShownText(filter.substr(at, descriptionEnd - at)) + " (" +
                 ShownText(filter.substr(descriptionEnd + 1, patternEnd - descriptionEnd - 1)) +
                 ")";
    at = patternEnd + 1;
  }
  return described;
}

FileChoice AskTargetOnTerminal(const DialogRequest& request, std::string& chosen) {
  COutput prompt(platform::StdStream::kError);
  prompt.WriteText("qpx: the script asks for its target file\n  title: " +
                   ShownText(request.title) + "\n  proposed name: " + ShownText(request.fileName) +
                   "\n  file types: " + DescribeFileTypes(request.filter) +
                   "\ntarget file (an empty line cancels): ");
  prompt.Flush();
  platform::CommandArgument line;
  if (!platform::ReadStdLine(line) || line.text.empty()) return FileChoice::kCancelled;
  if (!line.hasCp932Form) {
    prompt.WriteText("qpx: " + line.text + ":" + NoCp932FormNote(line) + "\n");
    return FileChoice::kRefused;
  }
  chosen = line.text;
  return FileChoice::kChosen;
}
