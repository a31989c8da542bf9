#include "generator/delivery.h"

#include "base/captions.h"
#include "base/html_text.h"
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

namespace {

Text previewPagePath(const Text& folder) {
  return folder + "\\yl.htm";
}

// Where the page now lies; empty when it could be written nowhere. A folder
// the user may not write (Program Files, a read-only share) sends it to the
// user's own folder: an older page beside the program must never pass for
// this one.
Text writePreviewPage(PreviewPages& pages, std::string_view bytes) {
  const Text beside = previewPagePath(pages.programDirectory);
  if (pages.files.replaceFile(beside, bytes)) return beside;
  const Text& own = pages.ownFolder;
  if (own.empty() || !pages.files.makeFolder(own)) return {};
  const Text fallback = previewPagePath(own);
  return pages.files.replaceFile(fallback, bytes) ? fallback : Text();
}

// The unrepaired result as the content of a hidden <textarea>: escaped, no
// text of the seller's can end it or be read as markup, so nothing in it runs
// or loads until the page's script puts it through what the shop strips. The
// line end after the start tag is the one the parser drops, so that a code
// starting with one keeps it.
Text inertBefore(std::string_view before) {
  if (before.empty()) return {};
  return "<textarea id=\"ld-before\" hidden>\r\n" + htmlEscaped(before) + "</textarea>\r\n";
}

}  // namespace

Text previewPage(std::string_view previewTemplate, std::string_view code,
                 std::string_view repairList, std::string_view before) {
  const std::size_t list = repairList.empty() ? Text::npos : previewTemplate.find(kRepairsMarker);
  const std::size_t marker = previewTemplate.find(kPreviewMarker);
  if (list == Text::npos || (marker != Text::npos && marker < list)) {
    return Replace(previewTemplate, kPreviewMarker, code, 1, 1, false);
  }
  // The list and the unrepaired result go in first, before the code: nothing
  // in the seller's code can then pass for the template's markers.
  const std::string_view after = previewTemplate.substr(list + kRepairsMarker.size());
  return Text(previewTemplate.substr(0, list)) + Text(repairList) + inertBefore(before) +
         Replace(after, kPreviewMarker, code, 1, 1, false);
}

Delivered deliver(Controls& ui, Clipboard& clipboard, PreviewPages& pages, const Text& result,
                  const Text& previewTemplate, std::string_view repairList,
                  std::string_view before) {
  ui.setText(CodeOutput, result);
  // The clipboard and the page take the box's own text, so that they hold
  // exactly what the user sees.
  const bool copied = clipboard.putText(ui.text(CodeOutput));
  const Text page = previewPage(previewTemplate, ui.text(CodeOutput), repairList, before);
  pages.record = {true, writePreviewPage(pages, pageBytes(page))};
  return {copied, !pages.record.page.empty()};
}

void openPreview(Controls& ui, const PreviewRecord& preview, Shell& shell) {
  if (!preview.generated) {
    showResult(ui, caption::kPreviewFirst);
  } else if (preview.page.empty()) {
    showResult(ui, caption::kPreviewNotSaved);
  } else if (!shell.openDocument(preview.page)) {
    showResult(ui, caption::kPreviewOpenFailed);
  }
}

void hideResultLabel(Controls& ui) {
  ui.setVisible(ResultLabel, false);
}

}  // namespace lumdrift
