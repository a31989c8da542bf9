#include "app/win32/window_keyboard.h"

namespace lumdrift {

void keepFocusAcrossActivation(HWND window, HWND& lastFocus, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) lastFocus = focus;
    return;
  }
  if (HIWORD(wParam) != 0) return;  // minimised
  HWND focus = lastFocus;
  if (focus == nullptr || !IsWindow(focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
    focus = GetNextDlgTabItem(window, nullptr, FALSE);
  }
  if (focus != nullptr) SetFocus(focus);
}

bool preTranslateMainWindowMessage(HWND mainWindow, MSG& message) {
  if (mainWindow == nullptr || !IsWindow(mainWindow)) return false;
  if (message.hwnd != mainWindow && !IsChild(mainWindow, message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    SendMessageW(mainWindow, WM_CLOSE, 0, 0);
    return true;
  }
  return IsDialogMessageW(mainWindow, &message) != FALSE;
}

}  // namespace lumdrift
