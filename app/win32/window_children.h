#pragma once
// The controls of the main window as real child windows: created from the
// control table at their places, with their fonts, items and text limits.

#include <windows.h>

#include "app/win32/window_controls.h"
#include "base/controls.h"

namespace lumdrift {

inline constexpr UINT_PTR kTimerId = 1;
// Clear of IDOK and IDCANCEL, which IsDialogMessage sends for Enter and Esc.
inline constexpr int kFirstChildId = 100;
// Sent to the main window when the code input box is double-clicked.
inline constexpr UINT kCodeInputDoubleClicked = WM_APP + 1;

// The window class and styles of a kind of control; no name for the timer.
struct ChildClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};
ChildClass childClass(ControlKind kind);

// Creates every control in its start state, and the timer; false as soon as
// one of them could not be created.
bool createControls(HWND mainWindow, WindowControls& controls);

}  // namespace lumdrift
