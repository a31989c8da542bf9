#include "generator/generate.h"

#include "base/captions.h"
#include "base/editions.h"
#include "base/number_format.h"
#include "generator/markers.h"
#include "generator/number_text.h"
#include "generator/replace.h"
#include "repair/code_repair.h"
#include "repair/repair_report.h"

namespace lumdrift {
namespace {

using enum ControlId;

struct Step {
  std::string_view placeholder;
  std::string_view ChainValues::*value;
  std::size_t maxCount;
};

constexpr Step kChain[] = {
    {"宽度", &ChainValues::width, 3},     {"高度", &ChainValues::height, 5},
    {"偏移", &ChainValues::offset, 2},    {"距顶", &ChainValues::topSpacing, 1},
    {kCodeMarker, &ChainValues::code, 1},
};

// The boxes whose numbers go into the code, in the chain's order.
struct NumberBox {
  ControlId id;
  bool aboveZero;
  std::string_view message;
};
constexpr NumberBox kNumberBoxes[] = {
    {WidthEdit, true, caption::kWidthNeedsNumber},
    {HeightEdit, true, caption::kHeightNeedsNumber},
    {SpacingEdit, false, caption::kSpacingNeedsNumber},
};

}  // namespace

Text applyChain(std::string_view codeTemplate, const ChainValues& values) {
  Text result(codeTemplate);
  for (const Step& step : kChain) {
    result = Replace(result, step.placeholder, values.*step.value, 1, step.maxCount, false);
  }
  return result;
}

namespace {

// The templates of the edition at a list index; both empty when the index
// names none.
struct TemplatePair {
  Text code;
  Text preview;
};

TemplatePair templatesFor(const TemplateStore& store, int edition) {
  const Edition* e = editionAt(edition);
  if (e == nullptr) return {};
  return {store.read(e->codeTemplate), store.read(e->previewTemplate)};
}

std::optional<double> numberFor(const Controls& ui, const NumberBox& box) {
  const std::optional<double> n = numberIn(ui.text(box.id));
  if (!n || (box.aboveZero && *n <= 0)) return std::nullopt;
  return n;
}

}  // namespace

void generate(Controls& ui, const TemplateStore& store, Clipboard& clipboard, PreviewPages& pages) {
  const TemplatePair templates = templatesFor(store, ui.selection(EditionList));
  if (templates.code.empty()) {
    showResult(ui, caption::kWaiting);
    return;
  }
  // The code carries the numbers as the width rule reads them, in ASCII
  // digits: "１９２０" or "1920px" as they stand would be CSS that browsers
  // drop. A box without a number makes no code at all.
  double numbers[std::size(kNumberBoxes)];
  Text texts[std::size(kNumberBoxes)];
  for (std::size_t i = 0; i < std::size(kNumberBoxes); ++i) {
    const std::optional<double> n = numberFor(ui, kNumberBoxes[i]);
    if (!n) {
      showResult(ui, kNumberBoxes[i].message);
      return;
    }
    numbers[i] = *n;
    texts[i] = formatNumber(*n);
  }
  // The success caption goes up before the work, so that the label is already
  // showing while a large code is delivered; a failure below replaces it.
  showResult(ui, caption::kSuccess);
  setGenerateBusy(ui);
  const Text offset = ui.text(OffsetEdit);
  // The code box keeps what the seller typed; the template gets the code as
  // the shop needs it.
  const Text typed = ui.text(CodeInput);
  const RepairedCode code = repairSellerCode(typed, {numbers[0], numbers[1]});
  const Text result = applyChain(templates.code, {texts[0], texts[1], offset, texts[2], code.code});
  // The preview can show the seller what the repairs saved.
  const Text before =
      code.repairs.empty()
          ? Text()
          : applyChain(templates.code, {texts[0], texts[1], offset, texts[2], typed});
  const Delivered delivered =
      deliver(ui, clipboard, pages, result, templates.preview, repairList(code.repairs), before);
  // The clipboard matters most: the seller pastes next. A repair is told only
  // beside the success message, which a failure replaces.
  if (!delivered.copied) {
    showResult(ui, caption::kClipboardFailed);
  } else if (!delivered.pageSaved) {
    showResult(ui, caption::kPreviewNotSaved);
  } else if (!code.repairs.empty()) {
    showResult(ui, Text(caption::kSuccess) + repairSentence(code.repairs));
  }
  setGenerateIdle(ui);
}

}  // namespace lumdrift
