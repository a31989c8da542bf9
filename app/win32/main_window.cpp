#include "app/win32/main_window.h"

#include <commctrl.h>

#include "app/events.h"
#include "app/win32/resource_ids.h"
#include "app/win32/window_children.h"
#include "app/win32/window_dpi.h"
#include "app/win32/window_keyboard.h"
#include "app/win32/window_paint.h"
#include "base/captions.h"
#include "base/control_table.h"
#include "base/win32_debug_log.h"
#include "base/win32_text.h"
#include "base/window_layout.h"

namespace lumdrift {
namespace {

using enum ControlId;

MainWindowContext* contextOf(HWND window) {
  return reinterpret_cast<MainWindowContext*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

std::optional<Event> eventOf(ControlKind kind, WORD code) {
  switch (kind) {
    case ControlKind::DropDownList:
      if (code == CBN_SELCHANGE) return Event::ItemSelected;
      break;
    case ControlKind::SingleLineEdit:
    case ControlKind::MultiLineEdit:
      if (code == EN_CHANGE) return Event::TextChanged;
      break;
    case ControlKind::PushButton:
    case ControlKind::TextButton:
      if (code == BN_CLICKED) return Event::Clicked;
      break;
    default: break;
  }
  return std::nullopt;
}

void onCommand(MainWindowContext& context, WPARAM wParam, LPARAM lParam) {
  const std::optional<ControlId> id = context.controls.idOf(reinterpret_cast<HWND>(lParam));
  if (!id) return;
  if (const std::optional<Event> event = eventOf(controlRow(*id).kind, HIWORD(wParam))) {
    dispatch(context.services, *id, *event);
  }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  MainWindowContext* context = contextOf(window);
  if (context == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (!createControls(window, context->controls, dpiOf(window))) return -1;
      context->ready = true;
      dispatch(context->services, MainWindow, Event::CreationComplete);
      return 0;
    case WM_COMMAND:
      if (context->ready && lParam != 0) onCommand(*context, wParam, lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) dispatch(context->services, ResultTimer, Event::Tick);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (const std::optional<ControlId> id =
              context->controls.idOf(reinterpret_cast<HWND>(lParam))) {
        if (LRESULT brush = staticColors(*id, reinterpret_cast<HDC>(wParam))) return brush;
      }
      break;
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(whiteBrush());
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_BUTTON) break;
      drawTextButton(*item);
      return TRUE;
    }
    case WM_ACTIVATE: keepFocusAcrossActivation(window, context->lastFocus, wParam); return 0;
    case WM_DPICHANGED: {
      // Moved to a screen of another DPI: the window keeps the place the
      // system suggests and takes the size and layout of the new DPI.
      const int dpi = LOWORD(wParam);
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      const SIZE size = mainWindowSize(kMainWindowStyle, dpi);
      if (!SetWindowPos(window, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                        SWP_NOZORDER | SWP_NOACTIVATE)) {
        win32::failed("SetWindowPos for the new DPI");
      }
      applyDpi(context->controls, dpi);
      InvalidateRect(window, nullptr, TRUE);
      return 0;
    }
    case kCodeInputDoubleClicked:
      if (context->ready) dispatch(context->services, CodeInput, Event::DoubleClicked);
      return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      context->ready = false;
      for (int i = 0; i < kControlCount; ++i) {
        context->controls.attach(static_cast<ControlId>(i), nullptr);
      }
      if (context->quitWhenDestroyed) PostQuitMessage(0);
      break;
    }
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool registerMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_LUMDRIFT));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_LUMDRIFT), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  wc.hbrBackground = whiteBrush();
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, MainWindowContext& context) {
  const INITCOMMONCONTROLSEX common = {sizeof common, ICC_STANDARD_CLASSES};
  // Without it the system's own classes still serve: logged, not fatal.
  if (!InitCommonControlsEx(&common)) win32::failed("InitCommonControlsEx");
  if (!registerMainWindowClass(instance)) {
    win32::failed("RegisterClassEx of the main window");
    return nullptr;
  }
  const std::wstring title = win32::wide(caption::kTitle);
  // The window opens on the primary screen, whose DPI is the system's.
  const SIZE size = mainWindowSize(kMainWindowStyle, systemDpi());
  HWND window = CreateWindowExW(0, kMainWindowClass, title.c_str(), kMainWindowStyle,
                                centred(GetSystemMetrics(SM_CXSCREEN), size.cx),
                                centred(GetSystemMetrics(SM_CYSCREEN), size.cy), size.cx, size.cy,
                                nullptr, nullptr, instance, &context);
  if (window == nullptr) win32::failed("CreateWindowEx of the main window");
  return window;
}

}  // namespace lumdrift
