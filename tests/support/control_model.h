#pragma once
// The controls held in memory, standing in for the window: the start state of
// the control table and the window's fonts, with every property readable so
// that the logic can be driven without a window.

#include <array>
#include <vector>

#include "base/control_table.h"

namespace lumdrift {

struct ControlState {
  Text text;
  bool visible = true;
  bool enabled = true;
  bool bold = false;
  int selection = -1;
  std::vector<Text> items;
};

class ControlModel : public Controls {
 public:
  ControlModel();

  Text text(ControlId id) const override { return at(id).text; }
  void setText(ControlId id, const Text& text) override { at(id).text = text; }
  void setVisible(ControlId id, bool visible) override { at(id).visible = visible; }
  void setEnabled(ControlId id, bool enabled) override { at(id).enabled = enabled; }
  int selection(ControlId id) const override { return at(id).selection; }
  void setBold(ControlId id, bool bold) override { at(id).bold = bold; }
  void clearUndoably(ControlId id) override { at(id).text.clear(); }

  // Everything a window would show, for the side that drives the model.
  const ControlState& state(ControlId id) const { return at(id); }
  void select(ControlId id, int index) { at(id).selection = index; }

 private:
  ControlState& at(ControlId id) { return states_[static_cast<int>(id)]; }
  const ControlState& at(ControlId id) const { return states_[static_cast<int>(id)]; }

  std::array<ControlState, kControlCount> states_;
};

}  // namespace lumdrift
