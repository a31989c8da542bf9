#include "app/events.h"

#include "desktop/send_to_desktop.h"
#include "generator/delivery.h"
#include "generator/generate.h"
#include "generator/layout_options.h"

namespace lumdrift {
namespace {

void startDownload(Services& s) {
  s.download.start();
}

using enum ControlId;
constexpr Binding kBindings[] = {
    {MainWindow, Event::CreationComplete, startDownload},
    {EditionList, Event::ItemSelected, applyEdition},
    {SpacingList, Event::ItemSelected, applyTopSpacing},
    {WidthEdit, Event::TextChanged, recomputeOffset},
    {CodeInput, Event::DoubleClicked, clearCodeInput},
    {ResultTimer, Event::Tick, hideResultLabel},
    {GenerateButton, Event::Clicked, generate},
    {PreviewButton, Event::Clicked, openPreview},
    {SendToDesktopButton, Event::Clicked, sendToDesktop},
};

}  // namespace

std::span<const Binding> bindings() {
  return kBindings;
}

bool dispatch(Services& services, ControlId control, Event event) {
  for (const Binding& b : kBindings) {
    if (b.control == control && b.event == event) {
      b.handler(services);
      return true;
    }
  }
  return false;
}

}  // namespace lumdrift
