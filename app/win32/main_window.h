#pragma once
// The main window of the tool: its frame, its controls at their places in the
// start state, and the wiring of their notifications to the event table.

#include <windows.h>

#include "app/win32/window_controls.h"
#include "app/win32/window_keyboard.h"
#include "base/services.h"

namespace lumdrift {

struct MainWindowContext {
  Services& services;
  WindowControls& controls;        // the same object as services.ui
  bool quitWhenDestroyed = false;  // the window's end ends the message loop

  // Kept by the window itself.
  bool ready = false;  // every control exists: notifications may run handlers
  HWND lastFocus = nullptr;
};

inline constexpr wchar_t kMainWindowClass[] = L"Lumdrift";
// A fixed frame with a title bar: no sizing border, no maximise box.
inline constexpr DWORD kMainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Creates the window, centred on the screen and not yet shown, with every
// control in its start state, then runs its creation-complete event. Null
// when the window or one of its controls could not be created. The context
// must outlive the window.
HWND createMainWindow(HINSTANCE instance, MainWindowContext& context);

}  // namespace lumdrift
