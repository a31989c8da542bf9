#include <gtest/gtest.h>

#include <set>

#include "app/captions.h"
#include "harness.h"

namespace lumdrift::test {
namespace {

using enum ControlId;

TEST(StartState, HiddenAndDisabledControls) {
  Harness h;
  EXPECT_FALSE(h[透明标签生成结果].visible);
  EXPECT_FALSE(h[编辑框3].visible);
  EXPECT_FALSE(h[编辑框3].enabled);
  EXPECT_EQ(h[编辑框3].text, "0");
  for (ControlId slot : {编辑框7, 编辑框8, 编辑框10, 编辑框11}) {
    EXPECT_FALSE(h[slot].visible);
    EXPECT_TRUE(h[slot].enabled);
    EXPECT_EQ(h[slot].text, "");
  }
}

TEST(StartState, OptionsBelongToTheFirstItems) {
  Harness h;
  EXPECT_EQ(h.ui.selection(组合框2), 0);
  EXPECT_EQ(h.ui.selection(组合框1), 0);
  EXPECT_EQ(h[组合框2].items[0], caption::kEditionProfessional);
  EXPECT_EQ(h[组合框1].items[0], caption::kSpacingDefault);
  EXPECT_EQ(h[编辑框5].text, "-960");
  EXPECT_EQ(h[编辑框1].text, "1920");
  EXPECT_EQ(h[编辑框2].text, "500");
  EXPECT_EQ(h[分组框2].text, caption::kInputProfessional);
  EXPECT_EQ(h[按钮3].text, caption::kGenerateStart);
  EXPECT_EQ(h[按钮6].text, caption::kPreview);
  // What the selection handlers would write equals the stored start state.
  Harness replayed;
  replayed.selectItem(组合框2, 0);
  replayed.selectItem(组合框1, 0);
  for (ControlId id : {编辑框5, 分组框2, 编辑框3}) EXPECT_EQ(replayed[id].text, h[id].text);
}

TEST(ControlTable, ContainersHoldTheirControls) {
  std::set<ControlId> seen;
  for (const ControlRow& row : controlTable()) {
    EXPECT_TRUE(seen.insert(row.id).second) << row.name;
    if (row.container != 窗口) {
      EXPECT_TRUE(seen.count(row.container)) << row.name << " comes before its container";
      EXPECT_EQ(controlRow(row.container).kind, ControlKind::GroupBox) << row.name;
    }
    EXPECT_EQ(&controlRow(row.id), &row);
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kControlCount - 1));  // all but the window
  EXPECT_EQ(controlRow(编辑框4).container, 分组框2);
  EXPECT_EQ(controlRow(按钮3).container, 分组框3);
  EXPECT_EQ(controlRow(编辑框7).container, 窗口);
}

TEST(ControlModel, ReadsAreCopiesAndWritesReplace) {
  ControlModel ui;
  Text t = ui.text(编辑框1);
  t += "0";
  EXPECT_EQ(ui.text(编辑框1), "1920");
  ui.setText(编辑框1, "1");
  EXPECT_EQ(ui.text(编辑框1), "1");
  ui.select(组合框2, -1);
  EXPECT_EQ(ui.selection(组合框2), -1);
}

TEST(Wiring, EveryBoundEventReachesItsHandler) {
  Harness h;
  h.ui.setText(编辑框4, "x");
  EXPECT_TRUE(dispatch(h.services, 窗口, Event::CreationComplete));
  EXPECT_EQ(h.download.starts, 1);
  EXPECT_TRUE(dispatch(h.services, 编辑框4, Event::DoubleClicked));
  EXPECT_EQ(h[编辑框4].text, "");
  EXPECT_TRUE(dispatch(h.services, 按钮发送到桌面, Event::Clicked));
  EXPECT_EQ(h.desktop.links.size(), 1u);
  EXPECT_TRUE(dispatch(h.services, 按钮6, Event::Clicked));
  EXPECT_EQ(h.shell.opened.size(), 1u);
}

TEST(Wiring, UnboundEventsDoNothing) {
  Harness h;
  // Closing runs nothing; edits other than the width have no handler.
  EXPECT_FALSE(dispatch(h.services, 编辑框5, Event::TextChanged));
  EXPECT_FALSE(dispatch(h.services, 编辑框4, Event::TextChanged));
  EXPECT_FALSE(dispatch(h.services, 编辑框6, Event::DoubleClicked));
  EXPECT_FALSE(dispatch(h.services, 按钮3, Event::DoubleClicked));
  EXPECT_EQ(h.download.starts, 0);
  std::set<std::pair<ControlId, Event>> pairs;
  for (const Binding& b : bindings()) EXPECT_TRUE(pairs.insert({b.control, b.event}).second);
  EXPECT_EQ(pairs.size(), 9u);
}

}  // namespace
}  // namespace lumdrift::test
