#include "generator/generate.h"

#include "base/captions.h"
#include "generator/delivery.h"
#include "generator/markers.h"
#include "generator/replace.h"

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

}  // namespace

Text applyChain(std::string_view codeTemplate, const ChainValues& values) {
  Text result(codeTemplate);
  for (const Step& step : kChain) {
    result = Replace(result, step.placeholder, values.*step.value, 1, step.maxCount, false);
  }
  return result;
}

TemplatePair templatesFor(const TemplateStore& store, int edition) {
  switch (edition) {
    case 0:
    case 1: return {store.read(TemplateId::Code), store.read(TemplateId::Preview)};
    case 2: return {store.read(TemplateId::TmallCode), store.read(TemplateId::TmallPreview)};
    default: return {};
  }
}

void generate(Services& s) {
  const TemplatePair templates = templatesFor(s.templates, s.ui.selection(EditionList));
  if (templates.code.empty()) {
    showResult(s.ui, caption::kWaiting);
    return;
  }
  showResult(s.ui, caption::kSuccess);
  setGenerateBusy(s.ui);
  // Each value is read once, as it stands now; the chain order is fixed.
  const Text width = s.ui.text(WidthEdit);
  const Text height = s.ui.text(HeightEdit);
  const Text offset = s.ui.text(OffsetEdit);
  const Text spacing = s.ui.text(SpacingEdit);
  const Text code = s.ui.text(CodeInput);
  const Text result = applyChain(templates.code, {width, height, offset, spacing, code});
  const Delivered delivered = deliver(s, result, templates.preview);
  // The clipboard matters most: the seller pastes next.
  if (!delivered.copied) {
    showResult(s.ui, caption::kClipboardFailed);
  } else if (!delivered.pageSaved) {
    showResult(s.ui, caption::kPreviewNotSaved);
  }
  setGenerateIdle(s.ui);
}

}  // namespace lumdrift
