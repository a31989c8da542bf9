// The floors under the tool's start-up, built like Lumdrift.exe:
// - LumdriftBaseline: one top-level window of the tool's size with one
//   multi-line edit box of the output box's size, which on the message
//   "LumdriftBaselineWrite" writes the clipboard's text into the box in
//   process, as the tool writes its output, and answers the microseconds the
//   write took (a text of megabytes sent from another process can be more
//   than Wine passes between processes);
// - LumdriftBareWindow (LUMDRIFT_ALL_CHILDREN): the same window with the
//   tool's child windows at their places, in their classes and styles, with
//   their start texts and items, and nothing else: no OLE, no fonts of their
//   own, no subclassing, no timer, no download.
// The timing harness measures them beside the tool to tell the tool's own
// costs from Wine's and the controls'.

#include <windows.h>

#include <string>

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
HWND baselineEdit = nullptr;

// The microseconds one WM_SETTEXT of the clipboard's text took; 0 when there
// was none to write.
LRESULT writeClipboard() {
  if (!OpenClipboard(nullptr)) return 0;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* p = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = p;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  if (text.empty()) return 0;
  SendMessageW(baselineEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
  LARGE_INTEGER frequency, t0, t1;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&t0);
  SendMessageW(baselineEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  QueryPerformanceCounter(&t1);
  return static_cast<LRESULT>((t1.QuadPart - t0.QuadPart) * 1000000 / frequency.QuadPart);
}

bool createChildren(HWND window, HINSTANCE instance) {
  HWND edit = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"Edit", L"",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 22, 310,
      602, 103, window, nullptr, instance, nullptr);
  if (!edit) return false;
  baselineEdit = edit;
  SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
  SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  return true;
}
#endif

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
#ifndef LUMDRIFT_ALL_CHILDREN
  static const UINT write = RegisterWindowMessageW(L"LumdriftBaselineWrite");
  if (msg == write) return writeClipboard();
#endif
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
