#pragma once
// The reactions that keep the option controls consistent while the user edits
// them.

#include "base/controls.h"

namespace lumdrift {

// An item of the edition list was selected: fixed offset and input caption.
void applyEdition(Controls& ui);
// The width text changed: the offset follows it.
void recomputeOffset(Controls& ui);
// An item of the top-spacing list was selected: fill, show or hide the box.
void applyTopSpacing(Controls& ui);
// The code input box was double-clicked: empty it.
void clearCodeInput(Controls& ui);

}  // namespace lumdrift
