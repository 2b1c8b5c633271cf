// Finding and reading the windows of the program under test.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Session.h"

namespace drive {

enum class WindowKind { kMessageBox, kFileDialog, kMain };

std::string ClassOf(HWND window);
// The window's text through WM_GETTEXT, read as UTF-16, in code page 932.
std::string TextOf(HWND window);
WindowKind KindOf(HWND window);
const char* KindName(WindowKind kind);
std::vector<HWND> VisibleWindowsOf(DWORD processId);
// The first child (any depth) whose class is `className` (any case).
HWND FindChildOfClass(HWND parent, const char* className);

// Waits for a visible top-level window of the program of the wanted kind.
// Any dialog of another kind is unexpected; so are the program's end and
// the timeout. Each of these is reported as ERROR, and the answer is null.
HWND WaitForWindow(Session& session, WindowKind wanted);
// Waits until the program shows no dialog (one may still be closing after
// its answer); reports the dialog and ERROR on timeout.
bool WaitForNoDialog(Session& session);
// Waits until the window is closed or hidden; reports ERROR on timeout.
bool WaitUntilGone(Session& session, HWND window, const char* what);
// Reports a window that should not be there: kind, caption and text.
void ReportUnexpected(Session& session, HWND window);
// Types `name` (UTF-8) into a file dialog's name box and presses its default button;
// reports ERROR when there is no name box to type into.
bool TypeFileName(Session& session, HWND dialog, const std::string& name);
// The text of a message box: its one static control that is not an icon,
// or the text of its edit box where it has none (qpxrun's long question).
std::string MessageTextOf(HWND box);

}  // namespace drive
