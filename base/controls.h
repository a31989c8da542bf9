#pragma once
// The controls of the main window, named by their role, and the property
// operations through which every handler reads and writes them. The control
// table keeps each control's name from the window's design beside its role.

#include "base/text.h"

namespace lumdrift {

enum class ControlId {
  MainWindow,  // the main window itself, for its creation-complete event
  OptionsGroup,
  EditionList,
  OffsetLabel,
  OffsetEdit,
  SizeLabel,
  WidthEdit,
  TimesLabel,
  HeightEdit,
  UnitLabel,
  SpacingLabel,
  SpacingList,
  SpacingEdit,
  CodeInputGroup,
  CodeInput,
  CodeOutputGroup,
  CodeOutput,
  ResultLabel,
  GenerateButton,
  PreviewButton,
  ResultTimer,
  SendToDesktopButton,  // the send-to-desktop text button
  Count,                // keep last: the number of controls, the window included
};
inline constexpr int kControlCount = static_cast<int>(ControlId::Count);

enum class ControlKind {
  GroupBox,
  DropDownList,
  Label,
  TransparentLabel,
  SingleLineEdit,
  MultiLineEdit,
  PushButton,
  TextButton,
  Timer,
};

// What a handler may do to a control. The text of an edit box and the caption
// of a label, group box or button are the same property: the control's text.
class Controls {
 public:
  virtual ~Controls() = default;
  virtual Text text(ControlId id) const = 0;
  virtual void setText(ControlId id, const Text& text) = 0;
  virtual void setVisible(ControlId id, bool visible) = 0;
  virtual void setEnabled(ControlId id, bool enabled) = 0;
  // Index of the selected item in stored order, -1 when none is selected.
  virtual int selection(ControlId id) const = 0;
  virtual void setBold(ControlId id, bool bold) = 0;
  // Empties an edit box as the user's own edit would: Ctrl+Z brings the
  // text back.
  virtual void clearUndoably(ControlId id) = 0;
};

}  // namespace lumdrift
