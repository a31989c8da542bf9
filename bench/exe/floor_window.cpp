// The floors under the tool's start-up, built like Lumdrift.exe:
// - LumdriftBaseline: one top-level window of the tool's size with one
//   multi-line edit box of the output box's size;
// - LumdriftBareWindow (LUMDRIFT_ALL_CHILDREN): the same window with the
//   tool's child windows at their places, in their classes and styles, with
//   their start texts and items, and nothing else: no OLE, no fonts of their
//   own, no subclassing, no timer, no download.
// The timing harness measures them beside the tool to tell the tool's own
// costs from Wine's and the controls'.

#include <windows.h>

#ifdef LUMDRIFT_ALL_CHILDREN
#include "app/win32/window_children.h"
#endif

namespace {

#ifdef LUMDRIFT_ALL_CHILDREN
constexpr wchar_t kTitle[] = L"LumdriftBareWindow";

bool createChildren(HWND window, HINSTANCE) {
  using namespace lumdrift;
  HWND children[kControlCount] = {};
  const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
  for (const ControlRow& row : controlTable()) {
    if (row.kind == ControlKind::Timer) continue;
    HWND parent =
        row.container == ControlId::MainWindow ? window : children[static_cast<int>(row.container)];
    HWND child = createChildWindow(window, parent, row, 96);
    if (child == nullptr) return false;
    SendMessageW(child, WM_SETFONT, font, FALSE);
    if (row.kind == ControlKind::DropDownList) fillDropDownList(child, row);
    children[static_cast<int>(row.id)] = child;
  }
  return true;
}
#else
constexpr wchar_t kTitle[] = L"LumdriftBaseline";

bool createChildren(HWND window, HINSTANCE instance) {
  HWND edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"Edit", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 22, 310,
      602, 103, window, nullptr, instance, nullptr);
  if (!edit) return false;
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return true;
}
#endif

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = kTitle;
  if (!RegisterClassW(&wc)) return 1;
  HWND window = CreateWindowExW(
      0, wc.lpszClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
      CW_USEDEFAULT, CW_USEDEFAULT, 754, 468, nullptr, nullptr, instance, nullptr);
  if (!window || !createChildren(window, instance)) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
