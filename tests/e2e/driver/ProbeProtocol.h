// How the driver asks the probe DLL, loaded into the program under test by
// a thread hook, what only that process can see.
//
// Request: SendMessage(target window, RegisterWindowMessage(kProbeQueryMessage),
//                      (WPARAM)reply window, MAKELPARAM(query, argument)).
// The hook (kProbeHookName, WH_CALLWNDPROC) sees the message in the target's
// thread and answers with WM_COPYDATA to the reply window: dwData = query,
// the data = the answer's fields, each ended by a NUL byte.
//
// A query that needs more than its argument reads its payload from the
// reply window's text.
#pragma once

namespace probe {

constexpr char kProbeQueryMessage[] = "QpxDriveProbeQuery";
constexpr char kProbeHookName[] = "ProbeCallWndProc";
constexpr char kProbeDllName[] = "qpxprobe.dll";

enum Query : unsigned short {
  // Message box: one field, the icon kind ("error", "exclamation",
  // "question", "information", "none" or "other").
  kQueryIcon = 1,
  // Main window, argument = pop-up index: WM_INITMENUPOPUP is sent first,
  // then four fields per item: id, state, kind, text.
  kQueryMenu = 2,
  // Open or Save dialog: current folder, text of the name box, then a
  // description and a pattern per file type.
  kQueryFileDialog = 3,
  // Main window: the font of its EDIT child: face name, "fixed" or
  // "variable" pitch, "yes" or "no" for whether it has glyphs for
  // Japanese text, its cell height in pixels, and "yes" or "no" for
  // whether it is the stock SYSTEM_FIXED_FONT.
  kQueryPaneFont = 4,
  // Main window: the DPI awareness it runs with ("unaware", "system",
  // "per-monitor", "per-monitor-v2" or "other"), its dots per inch, and the
  // path of the common controls module loaded, if any.
  kQueryDisplay = 5,
  // Main window, payload = the paths of files separated by "|" (a
  // character no Windows path holds): makes the drop the
  // shell hands over (DROPFILES followed by the wide paths) in the
  // program and posts WM_DROPFILES to the window. One field: the number
  // of files.
  kQueryDrop = 6,
  // Main window: "yes" while a WM_DROPFILES waits in its thread's queue,
  // else "no".
  kQueryDropWaiting = 7,
};

}  // namespace probe
