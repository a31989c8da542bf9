#include "app/win32/window_keyboard.h"

namespace lumdrift {
namespace {

bool isButton(HWND control) {
  wchar_t name[16] = {};
  GetClassNameW(control, name, 16);
  if (lstrcmpiW(name, L"Button") != 0) return false;
  const auto type = GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

}  // namespace

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
  // Enter presses the focused button, the text button too, which the dialog
  // navigation would not; elsewhere Enter stays what the control makes of it.
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && isButton(message.hwnd)) {
    SendMessageW(message.hwnd, BM_CLICK, 0, 0);
    return true;
  }
  return IsDialogMessageW(mainWindow, &message) != FALSE;
}

}  // namespace lumdrift
