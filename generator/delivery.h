#pragma once
// What the user sees and gets around a generation: the result label, the
// generate button's looks, the output box, the clipboard and the preview page.

#include "base/services.h"

namespace lumdrift {

// Makes the result label visible, then gives it the caption.
void showResult(Controls& ui, std::string_view message);
void setGenerateBusy(Controls& ui);
void setGenerateIdle(Controls& ui);

// The preview page in the program directory.
Text previewPagePath(const ProgramLocation& location);

// Writes the result into the output box, copies the box's text to the
// clipboard and writes the preview page from it. False when the clipboard
// copy failed; the output box and the page are delivered all the same.
bool deliver(Services& s, const Text& result, const Text& previewTemplate);

// The click handler of the preview button.
void openPreview(Services& s);
// The tick handler of the timer.
void hideResultLabel(Services& s);

}  // namespace lumdrift
