#include <new>
#include <optional>
#include <string>

#include "qpxdiff/DiffCommands.h"
#include "compare/DiffMessages.h"
#include "compare/Listing.h"
#include "platform/Window.h"
#include "dialogs/FileDialog.h"

namespace {

constexpr char kFirstTitle[] = "1つ目のファイルを開く";
constexpr char kSecondTitle[] = "変更元ファイルを開く";

// The chosen file's path; nothing when the user cancels. A file whose name
// has no CP932 form cannot be read: its path is given as empty, which
// names no file.
std::optional<std::string> ChosenFile(COpenFileDialog& dialog) {
  if (dialog.Show() == 0) {
    if (dialog.Refused()) return std::string();
    return std::nullopt;
  }
  char chosen[kFileNameBufferSize] = {};
  dialog.GetFileName(chosen);
  return std::string(chosen);
}

// Compares the loaded files and replaces the pane's text in one call.
void CompareAndList(platform::WindowHandle pane, CComparison& comparison) {
  if (!comparison.Compare()) {
    platform::SetWindowTextA(pane, std::string(kSizeMismatchText));
    return;
  }
  platform::SetWindowTextA(pane, BuildListing(comparison.FirstPath(), comparison.SecondPath(),
                                              comparison.Differences()));
}

}  // namespace

int RunOpenCommand(platform::WindowHandle mainWindow, platform::WindowHandle pane,
                   CComparison& comparison) {
  COpenFileDialog dialog(nullptr);
  dialog.SetTitle(kFirstTitle);
  std::optional<std::string> first = ChosenFile(dialog);
  if (!first) return 0;
  if (!comparison.LoadFirst(*first)) {
    ShowMessage(mainWindow, DiffMessage::kFirstLoadFailed);
    return 0;
  }
  dialog.SetTitle(kSecondTitle);
  dialog.SetFileName("");
  std::optional<std::string> second = ChosenFile(dialog);
  if (!second) {
    comparison.ClearDifferences();  // the first path no longer matches them
    return 0;
  }
  if (!comparison.LoadSecond(*second)) {
    ShowMessage(mainWindow, DiffMessage::kSecondLoadFailed);
    return 0;
  }
  try {
    CompareAndList(pane, comparison);
  } catch (const std::bad_alloc&) {  // the differences or their listing outgrew memory
    comparison.ClearDifferences();
    ShowMessage(mainWindow, DiffMessage::kOutOfMemory);
  }
  return 0;
}
