#include "base/window_layout.h"

namespace lumdrift {

using enum ControlId;

std::optional<Rect> controlRect(ControlId id) {
  switch (id) {
    case OptionsGroup: return Rect{10, 8, 730, 58};
    case CodeInputGroup: return Rect{8, 72, 730, 211};
    case CodeOutputGroup: return Rect{8, 291, 730, 138};
    case EditionList: return Rect{30, 23, 93, 20};
    case OffsetLabel: return Rect{155, 21, 42, 24};
    case OffsetEdit: return Rect{204, 21, 43, 24};
    case SizeLabel: return Rect{277, 22, 50, 20};
    case WidthEdit: return Rect{332, 21, 50, 24};
    case TimesLabel: return Rect{390, 22, 42, 20};
    case HeightEdit: return Rect{433, 21, 50, 24};
    case UnitLabel: return Rect{488, 24, 14, 20};
    case SpacingLabel: return Rect{538, 22, 40, 20};
    case SpacingList: return Rect{588, 23, 60, 20};
    case SpacingEdit: return Rect{654, 23, 50, 20};
    case CodeInput: return Rect{12, 17, 704, 178};
    case CodeOutput: return Rect{14, 19, 602, 103};
    // Across the group box's top edge, from just after its caption to its
    // right end: room for the success message and what was repaired.
    case ResultLabel: return Rect{72, -5, 650, 24};
    case GenerateButton: return Rect{633, 35, 80, 30};
    case PreviewButton: return Rect{633, 80, 80, 30};
    // On the top edge of the code input frame, at its right end, where the
    // long basic-edition caption never reaches.
    case SendToDesktopButton: return Rect{594, 0, 128, 16};
    case MainWindow:
    case ResultTimer:
    case Count: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<OwnFont> ownFont(ControlId id) {
  switch (id) {
    case GenerateButton: return OwnFont{12, 700, {}, false};
    case UnitLabel: return OwnFont{12, 400, {}, false};
    case SendToDesktopButton: return OwnFont{12, 400, "微软雅黑", true};
    default: return std::nullopt;
  }
}

}  // namespace lumdrift
