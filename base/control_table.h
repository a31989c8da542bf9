#pragma once
// The controls of the main window with their kinds, containers and start state.

#include <span>
#include <string_view>
#include <vector>

#include "base/controls.h"

namespace lumdrift {

struct ControlRow {
  ControlId id;
  std::string_view name;  // the control's name in the window's design
  ControlKind kind;
  ControlId container;  // MainWindow when the window itself holds the control
  bool visible;
  bool enabled;
  std::string_view text;                // text or caption at start
  std::vector<std::string_view> items;  // drop-down lists only, stored order
  int selection;                        // drop-down lists only
};

// One row per control, in creation order (containers before their children);
// the window itself has no row.
std::span<const ControlRow> controlTable();
const ControlRow& controlRow(ControlId id);

}  // namespace lumdrift
