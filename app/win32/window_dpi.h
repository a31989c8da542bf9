#pragma once
// The window's DPI and what follows from it. Newer systems give each monitor
// its own DPI; older ones have one for the whole system. The calls of the
// newer systems are looked up at run time, so that the tool still starts on
// the older ones.

#include <windows.h>

#include "base/window_layout.h"

namespace lumdrift {

// At another DPI than the design's every length is scaled, rounded to the
// nearest pixel. A rectangle's edges are scaled, not its size, so that
// controls that touch at 96 DPI still touch.
int scaled(int length, int dpi);
Rect scaled(const Rect& r, int dpi);

// Left (or top) of the window centred on the whole screen.
inline constexpr int centred(int screenLength, int windowLength) {
  return (screenLength - windowLength) / 2;
}

// The DPI of the screen the window is on; the system's when it has no other.
int dpiOf(HWND window);
int systemDpi();

// The outer size of the main window at this DPI: the design's 754 x 468 at
// 96 DPI, and at any other the design's client area scaled with the frame of
// that DPI around it.
SIZE mainWindowSize(DWORD style, int dpi);

}  // namespace lumdrift
