#include "app/events.h"

#include "desktop/send_to_desktop.h"
#include "generator/delivery.h"
#include "generator/generate.h"
#include "generator/layout_options.h"

namespace lumdrift {
namespace {

struct Binding {
  ControlId control;
  Event event;
  // Takes the process's services and hands the handler the parts it uses.
  void (*handler)(Services&);
};

PreviewPages previewPages(Services& s) {
  return {s.files, s.location.directory, s.folders.ownData, s.preview};
}

using enum ControlId;
constexpr Binding kBindings[] = {
    {MainWindow, Event::CreationComplete, [](Services& s) { s.download.start(); }},
    {EditionList, Event::ItemSelected, [](Services& s) { applyEdition(s.ui); }},
    {SpacingList, Event::ItemSelected, [](Services& s) { applyTopSpacing(s.ui); }},
    {WidthEdit, Event::TextChanged, [](Services& s) { recomputeOffset(s.ui); }},
    {CodeInput, Event::DoubleClicked, [](Services& s) { clearCodeInput(s.ui); }},
    {ResultTimer, Event::Tick, [](Services& s) { hideResultLabel(s.ui); }},
    {GenerateButton, Event::Clicked,
     [](Services& s) {
       PreviewPages pages = previewPages(s);
       generate(s.ui, s.templates, s.clipboard, pages);
     }},
    {PreviewButton, Event::Clicked, [](Services& s) { openPreview(s.ui, s.preview, s.shell); }},
    {SendToDesktopButton, Event::Clicked,
     [](Services& s) { sendToDesktop(s.ui, s.desktop, s.location, s.folders.temp); }},
};

// One handler per event of a control: a second row would never run.
constexpr bool eachEventBoundOnce() {
  for (std::size_t i = 0; i < std::size(kBindings); ++i) {
    for (std::size_t j = i + 1; j < std::size(kBindings); ++j) {
      if (kBindings[i].control == kBindings[j].control &&
          kBindings[i].event == kBindings[j].event) {
        return false;
      }
    }
  }
  return true;
}
static_assert(eachEventBoundOnce());

}  // namespace

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
