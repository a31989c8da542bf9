#include "app/window_layout.h"

namespace lumdrift {

using enum ControlId;

std::optional<Rect> controlRect(ControlId id) {
  switch (id) {
    case 分组框1: return Rect{10, 8, 730, 58};
    case 分组框2: return Rect{8, 72, 730, 211};
    case 分组框3: return Rect{8, 291, 730, 138};
    case 组合框2: return Rect{30, 23, 93, 20};
    case 标签2: return Rect{155, 21, 42, 24};
    case 编辑框5: return Rect{204, 21, 43, 24};
    case 透明标签1: return Rect{277, 22, 50, 20};
    case 编辑框1: return Rect{332, 21, 50, 24};
    case 透明标签2: return Rect{390, 22, 42, 20};
    case 编辑框2: return Rect{433, 21, 50, 24};
    case 透明标签3: return Rect{488, 24, 14, 20};
    case 透明标签4: return Rect{538, 22, 40, 20};
    case 组合框1: return Rect{588, 23, 60, 20};
    case 编辑框3: return Rect{654, 23, 50, 20};
    case 编辑框4: return Rect{12, 17, 704, 178};
    case 编辑框6: return Rect{14, 19, 602, 103};
    case 透明标签生成结果: return Rect{187, -5, 328, 24};  // across the group box's top edge
    case 按钮3: return Rect{633, 35, 80, 30};
    case 按钮6: return Rect{633, 80, 80, 30};
    case 编辑框7: return Rect{40, 346, 50, 40};
    case 编辑框8: return Rect{112, 328, 50, 40};
    case 编辑框10: return Rect{172, 347, 50, 40};
    case 编辑框11: return Rect{232, 344, 50, 40};
    // On the top edge of the code input frame, at its right end, where the
    // long basic-edition caption never reaches.
    case 按钮发送到桌面: return Rect{594, 0, 128, 16};
    case 窗口:
    case 时钟1: return std::nullopt;
  }
  return std::nullopt;
}

std::optional<OwnFont> ownFont(ControlId id) {
  switch (id) {
    case 按钮3: return OwnFont{12, 700, {}, false};
    case 透明标签3: return OwnFont{12, 400, {}, false};
    case 按钮发送到桌面: return OwnFont{12, 400, "微软雅黑", true};
    default: return std::nullopt;
  }
}

}  // namespace lumdrift
