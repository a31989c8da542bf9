#include "generator/layout_options.h"

#include "base/captions.h"
#include "generator/number_text.h"

namespace lumdrift {
namespace {

using enum ControlId;

struct Edition {
  std::string_view offset;  // the offset of the start width 1920
  std::string_view inputCaption;
  double shift;  // added to half the width, negated
};

constexpr Edition kEditions[] = {
    {"-960", caption::kInputProfessional, 0.0},
    {"-1060", caption::kInputBasic, -100.0},
    {"-960", caption::kInputTmall, 0.0},
};

const Edition* edition(int index) {
  return index >= 0 && index < static_cast<int>(std::size(kEditions)) ? &kEditions[index] : nullptr;
}

}  // namespace

Text offsetForWidth(int index, std::string_view widthText) {
  const Edition* e = edition(index);
  if (e == nullptr) return {};
  const double w = textToNumber(widthText);
  // No shift is added for the centred areas: adding 0 would turn -0 into 0.
  return formatNumber(e->shift == 0.0 ? w / -2.0 : w / -2.0 + e->shift);
}

void applyEdition(Services& s) {
  const Edition* e = edition(s.ui.selection(EditionList));
  if (e == nullptr) return;
  s.ui.setText(OffsetEdit, Text(e->offset));
  s.ui.setText(CodeInputGroup, Text(e->inputCaption));
}

void recomputeOffset(Services& s) {
  const int index = s.ui.selection(EditionList);
  if (edition(index) == nullptr) return;
  s.ui.setText(OffsetEdit, offsetForWidth(index, s.ui.text(WidthEdit)));
}

void applyTopSpacing(Services& s) {
  static constexpr std::string_view kPresets[] = {"0", "-10", "-20"};
  const int index = s.ui.selection(SpacingList);
  if (index >= 0 && index < 3) {
    s.ui.setVisible(SpacingEdit, false);
    s.ui.setText(SpacingEdit, Text(kPresets[index]));
  } else if (index == 3) {
    s.ui.setEnabled(SpacingEdit, true);
    s.ui.setVisible(SpacingEdit, true);
    s.ui.setText(SpacingEdit, "-");
  }
}

void clearCodeInput(Services& s) {
  // A double-click is also how people select a word: the text must come back.
  s.ui.clearUndoably(CodeInput);
}

}  // namespace lumdrift
