#pragma once
// The named controls of the main window and the property operations through
// which every handler reads and writes them. The controls are the tool's only
// state: there is no data layer beside them.

#include "app/text.h"

namespace lumdrift {

enum class ControlId {
  窗口,  // the main window itself, for its creation-complete event
  分组框1,
  组合框2,
  标签2,
  编辑框5,
  透明标签1,
  编辑框1,
  透明标签2,
  编辑框2,
  透明标签3,
  透明标签4,
  组合框1,
  编辑框3,
  分组框2,
  编辑框4,
  分组框3,
  编辑框6,
  透明标签生成结果,
  按钮3,
  按钮6,
  时钟1,
  编辑框7,
  编辑框8,
  编辑框10,
  编辑框11,
  按钮发送到桌面,  // the send-to-desktop text button
};

inline constexpr int kControlCount = static_cast<int>(ControlId::按钮发送到桌面) + 1;

enum class ControlKind {
  Window,
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
};

}  // namespace lumdrift
