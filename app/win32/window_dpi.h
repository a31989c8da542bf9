#pragma once
// The window's DPI and what follows from it. Newer systems give each monitor
// its own DPI; older ones have one for the whole system. The calls of the
// newer systems are looked up at run time, so that the tool still starts on
// the older ones.

#include <windows.h>

namespace lumdrift {

// The DPI of the screen the window is on; the system's when it has no other.
int dpiOf(HWND window);
int systemDpi();

// The outer size of the main window at this DPI: the design's 754 x 468 at
// 96 DPI, and at any other the design's client area scaled with the frame of
// that DPI around it.
SIZE mainWindowSize(DWORD style, int dpi);

}  // namespace lumdrift
