#include "app/control_model.h"

namespace lumdrift {

ControlModel::ControlModel() {
  for (const ControlSpec& spec : controlTable()) {
    ControlState& s = at(spec.id);
    s.text = Text(spec.text);
    s.visible = spec.visible;
    s.enabled = spec.enabled;
    s.bold = spec.id == ControlId::按钮3;  // the generate button starts bold
    s.selection = spec.selection;
    s.items.assign(spec.items.begin(), spec.items.end());
  }
}

}  // namespace lumdrift
