#include "generator/delivery.h"

#include "app/captions.h"
#include "generator/markers.h"
#include "generator/replace.h"

namespace lumdrift {

using enum ControlId;

void showResult(Controls& ui, std::string_view message) {
  ui.setVisible(透明标签生成结果, true);
  ui.setText(透明标签生成结果, Text(message));
}

void setGenerateBusy(Controls& ui) {
  ui.setBold(按钮3, false);
  ui.setText(按钮3, Text(caption::kGenerateBusy));
  ui.setEnabled(按钮3, false);
}

void setGenerateIdle(Controls& ui) {
  ui.setBold(按钮3, true);
  ui.setText(按钮3, Text(caption::kGenerateIdle));
  ui.setEnabled(按钮3, true);
}

Text previewPagePath(const ProgramLocation& location) {
  return location.directory + "\\yl.htm";
}

bool deliver(Services& s, const Text& result, const Text& previewTemplate) {
  s.ui.setText(编辑框6, result);
  // The clipboard and the page take the box's own text, so that they hold
  // exactly what the user sees.
  const bool copied = s.clipboard.putText(s.ui.text(编辑框6));
  const Text page = Replace(previewTemplate, kPreviewMarker, s.ui.text(编辑框6), 1, 1, false);
  // A page that could not be written leaves the previous one; the tool does
  // not report it.
  s.files.replaceFile(previewPagePath(s.location), page);
  return copied;
}

void openPreview(Services& s) {
  s.shell.openDocument(previewPagePath(s.location));
}

void hideResultLabel(Services& s) {
  s.ui.setVisible(透明标签生成结果, false);
}

}  // namespace lumdrift
