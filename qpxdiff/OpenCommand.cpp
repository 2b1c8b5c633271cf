#include <new>
#include <string>

#include "qpxdiff/DiffCommands.h"
#include "compare/DiffMessages.h"
#include "compare/Listing.h"
#include "platform/Window.h"
#include "dialogs/FileDialog.h"

namespace {

constexpr char kFirstTitle[] = "1つ目のファイルを開く";
constexpr char kSecondTitle[] = "変更元ファイルを開く";

// False when the user cancels. A file whose name has no CP932 form
// leaves the path empty, which names no file: it cannot be read.
bool ChooseFile(COpenFileDialog& dialog, std::string& path) {
  path.clear();
  return dialog.Choose(path) != FileChoice::kCancelled;
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
  std::string path;
  if (!ChooseFile(dialog, path)) return 0;
  if (!comparison.LoadFirst(path)) {
    ShowMessage(mainWindow, DiffMessage::kFirstLoadFailed);
    return 0;
  }
  dialog.SetTitle(kSecondTitle);
  dialog.SetFileName("");
  if (!ChooseFile(dialog, path)) {
    comparison.ClearDifferences();  // the first path no longer matches them
    return 0;
  }
  if (!comparison.LoadSecond(path)) {
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
