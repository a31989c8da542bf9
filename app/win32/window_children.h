#pragma once
// The controls of the main window as real child windows: created from the
// control table at their places, with their fonts, items and text limits.

#include <windows.h>

#include "app/win32/window_controls.h"
#include "base/control_table.h"

namespace lumdrift {

inline constexpr UINT_PTR kTimerId = 1;
// Every child has an id of its own, as a dialog's controls do: their
// notifications carry it and accessibility tools tell controls apart by it,
// while the window finds a control by its handle. Clear of IDOK and IDCANCEL,
// which IsDialogMessage sends for Enter and Esc.
inline constexpr int kFirstChildId = 100;
// Sent to the main window when the code input box is double-clicked.
inline constexpr UINT kCodeInputDoubleClicked = WM_APP + 1;

// The control's child window in its class and styles, at its place for the
// DPI, with its start text, visibility and enabled state; null for the timer.
HWND createChildWindow(HWND mainWindow, HWND parent, const ControlRow& row, int dpi);
// A drop-down list's items in stored order, and its start selection.
void fillDropDownList(HWND list, const ControlRow& row);

// Creates every control in its start state, laid out for the DPI, and the
// timer; false as soon as one of them could not be created.
bool createControls(HWND mainWindow, WindowControls& controls, int dpi);

// Lays the controls out again for a new DPI, with fonts of that size.
void applyDpi(WindowControls& controls, int dpi);

}  // namespace lumdrift
