// The smallest program built like Lumdrift.exe: one top-level window with one
// multi-line edit box of the output box's size. The timing harness measures
// it beside the tool to tell the tool's own costs from Wine's.

#include <windows.h>

namespace {

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = "LumdriftBaseline";
  if (!RegisterClassA(&wc)) return 1;
  HWND window =
      CreateWindowExA(0, wc.lpszClassName, "LumdriftBaseline",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                      CW_USEDEFAULT, 754, 468, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  HWND edit = CreateWindowExA(
      WS_EX_CLIENTEDGE, "Edit", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 22, 310,
      602, 103, window, nullptr, instance, nullptr);
  if (!edit) return 1;
  SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
