#pragma once
// The reactions that keep the option controls consistent while the user edits
// them.

#include "base/services.h"

namespace lumdrift {

// An item of the edition list was selected: fixed offset and input caption.
void applyEdition(Services& s);
// The width text changed: the offset follows it.
void recomputeOffset(Services& s);
// An item of the top-spacing list was selected: fill, show or hide the box.
void applyTopSpacing(Services& s);
// The code input box was double-clicked: empty it.
void clearCodeInput(Services& s);

// The offset text for a width text and an edition index; empty for an index
// that names no edition.
Text offsetForWidth(int edition, std::string_view widthText);

}  // namespace lumdrift
