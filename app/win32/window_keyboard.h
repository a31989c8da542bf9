#pragma once
// Keyboard and focus of the main window, as a dialog has them.

#include <windows.h>

namespace lumdrift {

// WM_ACTIVATE: remembers the focused control when the window goes inactive
// and gives the focus back when it returns.
void keepFocusAcrossActivation(HWND window, HWND& lastFocus, WPARAM wParam);

// Keyboard handling of the message loop: Esc closes the window from any of
// its controls, Tab and Shift+Tab move the focus through every control that
// takes it, Enter and Space press the focused button; Enter clicks nothing
// else. True when the message has been handled and must not be dispatched.
bool preTranslateMainWindowMessage(HWND mainWindow, MSG& message);

}  // namespace lumdrift
