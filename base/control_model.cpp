#include "base/control_model.h"

namespace lumdrift {

ControlModel::ControlModel() {
  for (const ControlRow& row : controlTable()) {
    ControlState& s = at(row.id);
    s.text = Text(row.text);
    s.visible = row.visible;
    s.enabled = row.enabled;
    s.bold = row.id == ControlId::GenerateButton;  // the generate button starts bold
    s.selection = row.selection;
    s.items.assign(row.items.begin(), row.items.end());
  }
}

}  // namespace lumdrift
