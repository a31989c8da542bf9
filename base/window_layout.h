#pragma once
// Where each control sits in the main window and the fonts that differ from
// the default GUI font. Positions count from the container's top-left corner
// (the group box, or the window's client area).

#include <optional>
#include <string_view>

#include "base/controls.h"

namespace lumdrift {

inline constexpr int kWindowWidth = 754;  // outer size, frame and title bar included
inline constexpr int kWindowHeight = 468;
inline constexpr int kDropDownHeight = 160;  // the control with its opened list
inline constexpr int kTimerPeriodMs = 6000;

struct Rect {
  int left, top, width, height;
};

struct OwnFont {
  int height;             // character height in pixels
  int weight;             // 400 normal, 700 bold
  std::string_view face;  // empty: the default GUI font's face
  bool gb2312Charset;
};

// Place and size of a control inside its container; nullopt for the timer and
// the window.
std::optional<Rect> controlRect(ControlId id);
std::optional<OwnFont> ownFont(ControlId id);

// The design's figures are for 96 DPI; at another DPI every length is
// scaled, rounded to the nearest pixel. A rectangle's edges are scaled, not
// its size, so that controls that touch at 96 DPI still touch.
inline constexpr int kDesignDpi = 96;
int scaled(int length, int dpi);
Rect scaled(const Rect& r, int dpi);

// Left (or top) of the window centred on the whole screen.
inline constexpr int centred(int screenLength, int windowLength) {
  return (screenLength - windowLength) / 2;
}

}  // namespace lumdrift
