#include "base/control_table.h"

#include <algorithm>
#include <array>

#include "base/captions.h"
#include "base/editions.h"
#include "base/top_spacings.h"

namespace lumdrift {
namespace {

using enum ControlId;
using K = ControlKind;
namespace c = caption;

const std::vector<ControlRow>& table() {
  static const std::vector<ControlRow> rows = {
      {OptionsGroup, "分组框1", K::GroupBox, MainWindow, true, true, "全局配置", {}, -1},
      {EditionList,
       "组合框2",
       K::DropDownList,
       OptionsGroup,
       true,
       true,
       "",
       {kEditionItems.begin(), kEditionItems.end()},
       0},
      {OffsetLabel, "标签2", K::Label, OptionsGroup, true, true, "偏移量", {}, -1},
      {OffsetEdit, "编辑框5", K::SingleLineEdit, OptionsGroup, true, true, "-960", {}, -1},
      {SizeLabel, "透明标签1", K::TransparentLabel, OptionsGroup, true, true, "模块尺寸", {}, -1},
      {WidthEdit, "编辑框1", K::SingleLineEdit, OptionsGroup, true, true, "1920", {}, -1},
      {TimesLabel,
       "透明标签2",
       K::TransparentLabel,
       OptionsGroup,
       true,
       true,
       c::kSizeTimes,
       {},
       -1},
      {HeightEdit, "编辑框2", K::SingleLineEdit, OptionsGroup, true, true, "500", {}, -1},
      {UnitLabel, "透明标签3", K::TransparentLabel, OptionsGroup, true, true, "PX", {}, -1},
      {SpacingLabel, "透明标签4", K::TransparentLabel, OptionsGroup, true, true, "上间距", {}, -1},
      {SpacingList,
       "组合框1",
       K::DropDownList,
       OptionsGroup,
       true,
       true,
       "",
       {kTopSpacingItems.begin(), kTopSpacingItems.end()},
       0},
      {SpacingEdit, "编辑框3", K::SingleLineEdit, OptionsGroup, false, false, "0", {}, -1},
      {CodeInputGroup,
       "分组框2",
       K::GroupBox,
       MainWindow,
       true,
       true,
       c::kInputProfessional,
       {},
       -1},
      {CodeInput, "编辑框4", K::MultiLineEdit, CodeInputGroup, true, true, "", {}, -1},
      {CodeOutputGroup, "分组框3", K::GroupBox, MainWindow, true, true, "代码输出", {}, -1},
      {CodeOutput, "编辑框6", K::MultiLineEdit, CodeOutputGroup, true, true, "", {}, -1},
      {ResultLabel,
       "透明标签生成结果",
       K::TransparentLabel,
       CodeOutputGroup,
       false,
       true,
       c::kSuccess,
       {},
       -1},
      {GenerateButton,
       "按钮3",
       K::PushButton,
       CodeOutputGroup,
       true,
       true,
       c::kGenerateStart,
       {},
       -1},
      {PreviewButton, "按钮6", K::PushButton, CodeOutputGroup, true, true, c::kPreview, {}, -1},
      {ResultTimer, "时钟1", K::Timer, CodeOutputGroup, true, true, "", {}, -1},
      {SendToDesktopButton,
       "按钮发送到桌面",
       K::TextButton,
       CodeInputGroup,
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
