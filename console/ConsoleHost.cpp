#include "console/ConsoleHost.h"

#include <utility>

#include "console/Messages.h"
#include "console/Progress.h"
#include "platform/Console.h"
#include "text/ShownText.h"

CConsoleHost::CConsoleHost(const CScriptFile& script, TargetChooser chooser, Language language,
                           COutput& err)
    : script_(script), chooser_(std::move(chooser)), language_(language), err_(err) {}

bool CConsoleHost::LoadTarget(CSourceData& image, const std::string& path) {
  CProgress progress(FileSize(path) > kLongWorkBytes);
  progress.Step(Fill(MessageText(ConsoleMessage::kLoading, language_), {ShownText(path)}));
  return image.Load(path);
}

bool CConsoleHost::SaveTarget(CSourceData& image, const std::string& path) {
  CProgress progress(image.GetSize() > kLongWorkBytes);
  progress.Step(Fill(MessageText(ConsoleMessage::kSaving, language_), {ShownText(path)}));
  return image.Save(path);
}

bool CConsoleHost::WriteRegistryValue(const RegistryValue& value) {
  if constexpr (platform::kHasRegistry) {
    return platform::WriteRegistryValue(value.root, value.subkey, value.name, value.type,
                                        value.data, value.size);
  } else {
    registryMissing_ = true;
    return false;
  }
}

FileChoice CConsoleHost::ChooseDialogTarget(const DialogRequest& request, std::string& chosen) {
  return chooser_ ? chooser_(request, chosen) : FileChoice::kCancelled;
}

bool CConsoleHost::Confirm(const std::string& question) {
  // Only what is typed once the question is there answers it.
  platform::DiscardTypedInput();
  COutput prompt(platform::StdStream::kError);
  prompt.WriteText(question);
  prompt.Flush();
  platform::CommandArgument answer;
  if (!platform::ReadStdLine(answer)) return false;
  const std::string& text = answer.text;
  return text == "y" || text == "Y" || text == "yes" || text == "Yes";
}

void CConsoleHost::ReportFailure(const RunFailure& failure, bool registryMissing) {
  std::string text = "qpx: ";
  text += registryMissing ? MessageText(Message::kNoRegistry, language_)
                          : ReasonText(failure.reason, language_);
  text += "\n";
  if (failure.unit < script_.units.size()) {
    std::string where = ShownText(script_.scriptPath) + ":" + std::to_string(failure.line) + ":";
    text +=
        "qpx: " +
        Fill(MessageText(Message::kWhere, language_),
             {where, std::to_string(failure.unit + 1), ShownText(script_.units[failure.unit])}) +
        "\n";
  }
  err_.WriteText(text);
}
