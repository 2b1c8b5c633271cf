#include <new>
#include <string>
#include <string_view>

#include "compare/DiffMessages.h"
#include "compare/Listing.h"
#include "dialogs/FileDialog.h"
#include "platform/Window.h"
#include "qpxdiff/DiffCommands.h"

namespace {

constexpr char kFirstTitle[] = "1つ目のファイルを開く";
constexpr char kSecondTitle[] = "変更元ファイルを開く";

// False when the user cancels. A file whose name has no CP932 form
// leaves the path empty, which names no file: it cannot be read.
bool ChooseFile(COpenFileDialog& dialog, std::string& path) {
  path.clear();
  return dialog.Choose(path) != FileChoice::kCancelled;
}

// Compares the first file with the one at path and replaces the pane's
// text in one call: the listing, or the notice of differing sizes.
void CompareAndList(const DiffView& view, const std::string& path) {
  CComparison& comparison = view.comparison;
  try {
    switch (comparison.CompareFiles(comparison.FirstPath(), path)) {
      case CompareOutcome::kFirstLoadFailed:
        ShowMessage(view.mainWindow, DiffMessage::kFirstLoadFailed);
        return;
      case CompareOutcome::kSecondLoadFailed:
        ShowMessage(view.mainWindow, DiffMessage::kSecondLoadFailed);
        return;
      case CompareOutcome::kSizesDiffer:
        platform::SetWindowTextA(view.pane, std::string(kSizeMismatchText));
        return;
      case CompareOutcome::kCompared:
        break;
    }
    std::string listing;
    StreamListing(comparison.FirstPath(), comparison.SecondPath(), comparison.Differences(),
                  [&listing](std::string_view piece) {
                    listing.append(piece);
                    return true;
                  });
    platform::SetWindowTextA(view.pane, listing);
  } catch (const std::bad_alloc&) {  // the differences or their listing outgrew memory
    comparison.ClearDifferences();
    ShowMessage(view.mainWindow, DiffMessage::kOutOfMemory);
  }
}

}  // namespace

NextFile TakeFile(const DiffView& view, NextFile next, const std::string& path) {
  if (next == NextFile::kFirst) {
    if (view.comparison.TakeFirst(path)) return NextFile::kSecond;
    ShowMessage(view.mainWindow, DiffMessage::kFirstLoadFailed);
    return NextFile::kFirst;
  }
  CompareAndList(view, path);
  return NextFile::kFirst;
}

NextFile TakeFiles(const DiffView& view, NextFile next, const std::vector<std::string>& paths) {
  if (paths.size() == 1) return TakeFile(view, next, paths[0]);
  if (paths.size() != 2) return next;
  if (TakeFile(view, NextFile::kFirst, paths[0]) == NextFile::kFirst) return NextFile::kFirst;
  return TakeFile(view, NextFile::kSecond, paths[1]);
}

int RunOpenCommand(const DiffView& view, NextFile next) {
  COpenFileDialog dialog(nullptr);
  std::string path;
  if (next == NextFile::kFirst) {
    dialog.SetTitle(kFirstTitle);
    if (!ChooseFile(dialog, path)) return 0;
    if (TakeFile(view, NextFile::kFirst, path) == NextFile::kFirst) return 0;
  }
  dialog.SetTitle(kSecondTitle);
  dialog.SetFileName("");
  if (!ChooseFile(dialog, path)) {
    view.comparison.ClearDifferences();  // the first path no longer matches them
    return 0;
  }
  TakeFile(view, NextFile::kSecond, path);
  return 0;
}
