#include "generator/delivery.h"

#include "base/captions.h"
#include "generator/markers.h"
#include "generator/replace.h"

namespace lumdrift {

using enum ControlId;

void showResult(Controls& ui, std::string_view message) {
  ui.setVisible(ResultLabel, true);
  ui.setText(ResultLabel, Text(message));
}

void setGenerateBusy(Controls& ui) {
  ui.setBold(GenerateButton, false);
  ui.setText(GenerateButton, Text(caption::kGenerateBusy));
  ui.setEnabled(GenerateButton, false);
}

void setGenerateIdle(Controls& ui) {
  ui.setBold(GenerateButton, true);
  ui.setText(GenerateButton, Text(caption::kGenerateIdle));
  ui.setEnabled(GenerateButton, true);
}

Text previewPagePath(const ProgramLocation& location) {
  return location.directory + "\\yl.htm";
}

bool deliver(Services& s, const Text& result, const Text& previewTemplate) {
  s.ui.setText(CodeOutput, result);
  // The clipboard and the page take the box's own text, so that they hold
  // exactly what the user sees.
  const bool copied = s.clipboard.putText(s.ui.text(CodeOutput));
  const Text page = Replace(previewTemplate, kPreviewMarker, s.ui.text(CodeOutput), 1, 1, false);
  // A page that could not be written leaves the previous one; the tool does
  // not report it.
  s.files.replaceFile(previewPagePath(s.location), page);
  return copied;
}

void openPreview(Services& s) {
  s.shell.openDocument(previewPagePath(s.location));
}

void hideResultLabel(Services& s) {
  s.ui.setVisible(ResultLabel, false);
}

}  // namespace lumdrift
