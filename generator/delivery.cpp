#include "generator/delivery.h"

#include "base/captions.h"
#include "generator/markers.h"
#include "generator/page_bytes.h"
#include "generator/replace.h"

namespace lumdrift {

using enum ControlId;

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

namespace {

// Where the page now lies; empty when it could be written nowhere. A folder
// the user may not write (Program Files, a read-only share) sends it to the
// user's own folder: an older page beside the program must never pass for
// this one.
Text writePreviewPage(Services& s, std::string_view bytes) {
  const Text beside = previewPagePath(s.location);
  if (s.files.replaceFile(beside, bytes)) return beside;
  const Text& own = s.folders.ownData;
  if (own.empty() || !s.files.makeFolder(own)) return {};
  const Text fallback = own + "\\yl.htm";
  return s.files.replaceFile(fallback, bytes) ? fallback : Text();
}

}  // namespace

Delivered deliver(Services& s, const Text& result, const Text& previewTemplate) {
  s.ui.setText(CodeOutput, result);
  // The clipboard and the page take the box's own text, so that they hold
  // exactly what the user sees.
  const bool copied = s.clipboard.putText(s.ui.text(CodeOutput));
  const Text page = Replace(previewTemplate, kPreviewMarker, s.ui.text(CodeOutput), 1, 1, false);
  s.preview = {true, writePreviewPage(s, pageBytes(page))};
  return {copied, !s.preview.page.empty()};
}

void openPreview(Services& s) {
  if (!s.preview.generated) {
    showResult(s.ui, caption::kPreviewFirst);
  } else if (s.preview.page.empty()) {
    showResult(s.ui, caption::kPreviewNotSaved);
  } else if (!s.shell.openDocument(s.preview.page)) {
    showResult(s.ui, caption::kPreviewOpenFailed);
  }
}

void hideResultLabel(Services& s) {
  s.ui.setVisible(ResultLabel, false);
}

}  // namespace lumdrift
