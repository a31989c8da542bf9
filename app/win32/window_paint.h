#pragma once
// How the main window and its controls are painted: white ground, black text,
// transparent labels, the red result label and the flat shortcut button.

#include <windows.h>

#include "base/controls.h"

namespace lumdrift {

HBRUSH whiteBrush();

// The answer to WM_CTLCOLORSTATIC for a control; 0 leaves it to the system.
LRESULT staticColors(ControlId id, HDC dc);

// The send-to-desktop command: a flat button that is little more than its text.
void drawTextButton(const DRAWITEMSTRUCT& item);

}  // namespace lumdrift
