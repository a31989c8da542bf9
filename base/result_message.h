#pragma once
// The result label is where every handler tells the user how it went.

#include "base/controls.h"

namespace lumdrift {

// Makes the result label visible, then gives it the message.
inline void showResult(Controls& ui, std::string_view message) {
  ui.setVisible(ControlId::ResultLabel, true);
  ui.setText(ControlId::ResultLabel, Text(message));
}

}  // namespace lumdrift
