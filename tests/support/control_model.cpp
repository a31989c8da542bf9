#include "tests/support/control_model.h"

#include "base/window_layout.h"

namespace lumdrift {

ControlModel::ControlModel() {
  for (const ControlRow& row : controlTable()) {
    ControlState& s = at(row.id);
    s.text = Text(row.text);
    s.visible = row.visible;
    s.enabled = row.enabled;
    const std::optional<OwnFont> font = ownFont(row.id);
    s.bold = font && font->weight >= 700;
    s.selection = row.selection;
    s.items.assign(row.items.begin(), row.items.end());
  }
}

}  // namespace lumdrift
