#include "generator/layout_options.h"

#include "base/editions.h"
#include "base/number_format.h"
#include "base/top_spacings.h"
#include "generator/number_text.h"

namespace lumdrift {

using enum ControlId;

namespace {

// The offset text of the edition for a width text.
Text offsetForWidth(const Edition& edition, std::string_view widthText) {
  const double w = textToNumber(widthText);
  // No shift is added for the centred areas: adding 0 would turn -0 into 0.
  return formatNumber(edition.offsetShift == 0.0 ? w / -2.0 : w / -2.0 + edition.offsetShift);
}

}  // namespace

void applyEdition(Controls& ui) {
  const Edition* e = editionAt(ui.selection(EditionList));
  if (e == nullptr) return;
  ui.setText(OffsetEdit, Text(e->startOffset));
  ui.setText(CodeInputGroup, Text(e->areaCaption));
}

void recomputeOffset(Controls& ui) {
  const Edition* e = editionAt(ui.selection(EditionList));
  if (e == nullptr) return;
  ui.setText(OffsetEdit, offsetForWidth(*e, ui.text(WidthEdit)));
}

void applyTopSpacing(Controls& ui) {
  const TopSpacing* spacing = topSpacingAt(ui.selection(SpacingList));
  if (spacing == nullptr) return;
  if (spacing->custom) {
    ui.setEnabled(SpacingEdit, true);
    ui.setVisible(SpacingEdit, true);
  } else {
    ui.setVisible(SpacingEdit, false);
  }
  ui.setText(SpacingEdit, Text(spacing->value));
}

void clearCodeInput(Controls& ui) {
  // A double-click is also how people select a word: the text must come back.
  ui.clearUndoably(CodeInput);
}

}  // namespace lumdrift
