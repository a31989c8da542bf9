#include "app/win32/window_dpi.h"

#include "base/win32_handles.h"

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

int scaled(int length, int dpi) {
  // Half a pixel rounds away from zero, the same for negative places.
  const long long product = static_cast<long long>(length) * dpi;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kDesignDpi
                                       : -((-product + half) / kDesignDpi));
}

Rect scaled(const Rect& r, int dpi) {
  const int left = scaled(r.left, dpi);
  const int top = scaled(r.top, dpi);
  return {left, top, scaled(r.left + r.width, dpi) - left, scaled(r.top + r.height, dpi) - top};
}

int systemDpi() {
  const win32::WindowDc screen(nullptr);
  const int dpi = screen.get() != nullptr ? GetDeviceCaps(screen.get(), LOGPIXELSY) : kDesignDpi;
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
