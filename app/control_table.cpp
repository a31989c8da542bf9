#include "app/control_table.h"

#include <algorithm>
#include <array>

#include "app/captions.h"

namespace lumdrift {
namespace {

using enum ControlId;
using K = ControlKind;
namespace c = caption;

const std::vector<ControlRow>& table() {
  static const std::vector<ControlRow> rows = {
      {分组框1, "分组框1", K::GroupBox, 窗口, true, true, "全局配置", {}, -1},
      {组合框2,
       "组合框2",
       K::DropDownList,
       分组框1,
       true,
       true,
       "",
       {c::kEditionProfessional, c::kEditionBasic, c::kEditionTmall},
       0},
      {标签2, "标签2", K::Label, 分组框1, true, true, "偏移量", {}, -1},
      {编辑框5, "编辑框5", K::SingleLineEdit, 分组框1, true, true, "-960", {}, -1},
      {透明标签1, "透明标签1", K::TransparentLabel, 分组框1, true, true, "模块尺寸", {}, -1},
      {编辑框1, "编辑框1", K::SingleLineEdit, 分组框1, true, true, "1920", {}, -1},
      {透明标签2, "透明标签2", K::TransparentLabel, 分组框1, true, true, c::kSizeTimes, {}, -1},
      {编辑框2, "编辑框2", K::SingleLineEdit, 分组框1, true, true, "500", {}, -1},
      {透明标签3, "透明标签3", K::TransparentLabel, 分组框1, true, true, "PX", {}, -1},
      {透明标签4, "透明标签4", K::TransparentLabel, 分组框1, true, true, "上间距", {}, -1},
      {组合框1,
       "组合框1",
       K::DropDownList,
       分组框1,
       true,
       true,
       "",
       {c::kSpacingDefault, "-10", "-20", c::kSpacingCustom},
       0},
      {编辑框3, "编辑框3", K::SingleLineEdit, 分组框1, false, false, "0", {}, -1},
      {分组框2, "分组框2", K::GroupBox, 窗口, true, true, c::kInputProfessional, {}, -1},
      {编辑框4, "编辑框4", K::MultiLineEdit, 分组框2, true, true, "", {}, -1},
      {分组框3, "分组框3", K::GroupBox, 窗口, true, true, "代码输出", {}, -1},
      {编辑框6, "编辑框6", K::MultiLineEdit, 分组框3, true, true, "", {}, -1},
      {透明标签生成结果,
       "透明标签生成结果",
       K::TransparentLabel,
       分组框3,
       false,
       true,
       c::kSuccess,
       {},
       -1},
      {按钮3, "按钮3", K::PushButton, 分组框3, true, true, c::kGenerateStart, {}, -1},
      {按钮6, "按钮6", K::PushButton, 分组框3, true, true, c::kPreview, {}, -1},
      {时钟1, "时钟1", K::Timer, 分组框3, true, true, "", {}, -1},
      {编辑框7, "编辑框7", K::MultiLineEdit, 窗口, false, true, "", {}, -1},
      {编辑框8, "编辑框8", K::MultiLineEdit, 窗口, false, true, "", {}, -1},
      {编辑框10, "编辑框10", K::MultiLineEdit, 窗口, false, true, "", {}, -1},
      {编辑框11, "编辑框11", K::MultiLineEdit, 窗口, false, true, "", {}, -1},
      {按钮发送到桌面,
       "按钮发送到桌面",
       K::TextButton,
       分组框2,
       true,
       true,
       c::kSendToDesktop,
       {},
       -1},
  };
  return rows;
}

}  // namespace

std::span<const ControlRow> controlTable() {
  return table();
}

const ControlRow& controlRow(ControlId id) {
  static const auto byId = [] {
    std::array<const ControlRow*, kControlCount> index{};
    for (const ControlRow& row : table()) index[static_cast<int>(row.id)] = &row;
    return index;
  }();
  return *byId[static_cast<int>(id)];
}

}  // namespace lumdrift
