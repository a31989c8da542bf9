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
    {窗口, Event::CreationComplete, startDownload},
    {组合框2, Event::ItemSelected, applyEdition},
    {组合框1, Event::ItemSelected, applyTopSpacing},
    {编辑框1, Event::TextChanged, recomputeOffset},
    {编辑框4, Event::DoubleClicked, clearCodeInput},
    {时钟1, Event::Tick, hideResultLabel},
    {按钮3, Event::Clicked, generate},
    {按钮6, Event::Clicked, openPreview},
    {按钮发送到桌面, Event::Clicked, sendToDesktop},
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
