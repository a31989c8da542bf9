#include "app/win32/window_dpi.h"

#include "base/window_layout.h"

namespace lumdrift {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

template <typename Fn>
Fn user32(const char* name) {
  // user32 is loaded for the life of the process: the pointer stays good.
  return reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// Frame and title bar around an empty client area at this DPI.
SIZE frameAt(DWORD style, int dpi) {
  RECT r{0, 0, 0, 0};
  static const auto forDpi = user32<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (forDpi != nullptr && forDpi(&r, style, FALSE, 0, static_cast<UINT>(dpi))) {
    return {r.right - r.left, r.bottom - r.top};
  }
  // Older systems know the frame of their own DPI only.
  AdjustWindowRectEx(&r, style, FALSE, 0);
  const int system = systemDpi();
  return {MulDiv(r.right - r.left, dpi, system), MulDiv(r.bottom - r.top, dpi, system)};
}

}  // namespace

int systemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

int dpiOf(HWND window) {
  static const auto forWindow = user32<GetDpiForWindowFn>("GetDpiForWindow");
  if (forWindow != nullptr && window != nullptr) {
    if (const UINT dpi = forWindow(window)) return static_cast<int>(dpi);
  }
  return systemDpi();
}

SIZE mainWindowSize(DWORD style, int dpi) {
  if (dpi == kDesignDpi) return {kWindowWidth, kWindowHeight};
  const SIZE frame96 = frameAt(style, kDesignDpi);
  const SIZE frame = frameAt(style, dpi);
  return {scaled(kWindowWidth - frame96.cx, dpi) + frame.cx,
          scaled(kWindowHeight - frame96.cy, dpi) + frame.cy};
}

}  // namespace lumdrift
