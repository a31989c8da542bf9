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

// The figures above are for 96 DPI; the window scales them to its own.
inline constexpr int kDesignDpi = 96;

}  // namespace lumdrift
