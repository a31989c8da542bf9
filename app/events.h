#pragma once
// The wiring of every event of the main window to its handler. The in-memory
// model and the window dispatch through the same table.

#include "base/services.h"

namespace lumdrift {

enum class Event {
  CreationComplete,
  ItemSelected,
  TextChanged,
  DoubleClicked,
  Clicked,
  Tick,
};

// Runs the handler bound to the event; false when none is bound.
bool dispatch(Services& services, ControlId control, Event event);

}  // namespace lumdrift
