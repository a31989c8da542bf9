#include "generator/generate.h"

#include "app/captions.h"
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
  // Two buffers take turns: each step reads the last result and writes the other.
  Text result, scratch;
  std::string_view input = codeTemplate;
  for (const Step& step : kChain) {
    ReplaceInto(scratch, input, step.placeholder, values.*step.value, 1, step.maxCount, false);
    result.swap(scratch);
    input = result;
  }
  return result;
}

TemplatePair templatesFor(const Controls& ui, int edition) {
  switch (edition) {
    case 0:
    case 1: return {ui.text(编辑框8), ui.text(编辑框10)};
    case 2: return {ui.text(编辑框7), ui.text(编辑框11)};
    default: return {};
  }
}

void generate(Services& s) {
  const TemplatePair templates = templatesFor(s.ui, s.ui.selection(组合框2));
  if (templates.code.empty()) {
    showResult(s.ui, caption::kWaiting);
    return;
  }
  showResult(s.ui, caption::kSuccess);
  setGenerateBusy(s.ui);
  // Each value is read once, as it stands now; the chain order is fixed.
  const Text width = s.ui.text(编辑框1);
  const Text height = s.ui.text(编辑框2);
  const Text offset = s.ui.text(编辑框5);
  const Text spacing = s.ui.text(编辑框3);
  const Text code = s.ui.text(编辑框4);
  const Text result = applyChain(templates.code, {width, height, offset, spacing, code});
  if (!deliver(s, result, templates.preview)) showResult(s.ui, caption::kClipboardFailed);
  setGenerateIdle(s.ui);
}

}  // namespace lumdrift
