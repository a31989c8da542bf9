#include <gtest/gtest.h>

#include <set>

#include "base/captions.h"
#include "tests/harness.h"

namespace lumdrift::test {
namespace {

using enum ControlId;

TEST(StartState, HiddenAndDisabledControls) {
  Harness h;
  EXPECT_FALSE(h[ResultLabel].visible);
  EXPECT_FALSE(h[SpacingEdit].visible);
  EXPECT_FALSE(h[SpacingEdit].enabled);
  EXPECT_EQ(h[SpacingEdit].text, "0");
}

TEST(StartState, OptionsBelongToTheFirstItems) {
  Harness h;
  EXPECT_EQ(h.ui.selection(EditionList), 0);
  EXPECT_EQ(h.ui.selection(SpacingList), 0);
  EXPECT_EQ(h[EditionList].items[0], caption::kEditionProfessional);
  EXPECT_EQ(h[SpacingList].items[0], caption::kSpacingDefault);
  EXPECT_EQ(h[OffsetEdit].text, "-960");
  EXPECT_EQ(h[WidthEdit].text, "1920");
  EXPECT_EQ(h[HeightEdit].text, "500");
  EXPECT_EQ(h[CodeInputGroup].text, caption::kInputProfessional);
  EXPECT_EQ(h[GenerateButton].text, caption::kGenerateStart);
  EXPECT_EQ(h[PreviewButton].text, caption::kPreview);
  // What the selection handlers would write equals the stored start state.
  Harness replayed;
  replayed.selectItem(EditionList, 0);
  replayed.selectItem(SpacingList, 0);
  for (ControlId id : {OffsetEdit, CodeInputGroup, SpacingEdit})
    EXPECT_EQ(replayed[id].text, h[id].text);
}

TEST(ControlTable, ContainersHoldTheirControls) {
  std::set<ControlId> seen;
  for (const ControlRow& row : controlTable()) {
    EXPECT_TRUE(seen.insert(row.id).second) << row.name;
    if (row.container != MainWindow) {
      EXPECT_TRUE(seen.count(row.container)) << row.name << " comes before its container";
      EXPECT_EQ(controlRow(row.container).kind, ControlKind::GroupBox) << row.name;
    }
    EXPECT_EQ(&controlRow(row.id), &row);
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kControlCount - 1));  // all but the window
  EXPECT_EQ(controlRow(CodeInput).container, CodeInputGroup);
  EXPECT_EQ(controlRow(GenerateButton).container, CodeOutputGroup);
  EXPECT_EQ(controlRow(CodeOutputGroup).container, MainWindow);
}

TEST(ControlModel, ReadsAreCopiesAndWritesReplace) {
  ControlModel ui;
  Text t = ui.text(WidthEdit);
  t += "0";
  EXPECT_EQ(ui.text(WidthEdit), "1920");
  ui.setText(WidthEdit, "1");
  EXPECT_EQ(ui.text(WidthEdit), "1");
  ui.select(EditionList, -1);
  EXPECT_EQ(ui.selection(EditionList), -1);
}

TEST(Wiring, EveryBoundEventReachesItsHandler) {
  Harness h;
  h.ui.setText(CodeInput, "x");
  EXPECT_TRUE(dispatch(h.services, MainWindow, Event::CreationComplete));
  EXPECT_EQ(h.download.starts, 1);
  EXPECT_TRUE(dispatch(h.services, CodeInput, Event::DoubleClicked));
  EXPECT_EQ(h[CodeInput].text, "");
  EXPECT_TRUE(dispatch(h.services, SendToDesktopButton, Event::Clicked));
  EXPECT_EQ(h.desktop.links.size(), 1u);
  EXPECT_TRUE(dispatch(h.services, PreviewButton, Event::Clicked));
  EXPECT_EQ(h[ResultLabel].text, caption::kPreviewFirst);
}

TEST(Wiring, UnboundEventsDoNothing) {
  Harness h;
  // Closing runs nothing; edits other than the width have no handler.
  EXPECT_FALSE(dispatch(h.services, OffsetEdit, Event::TextChanged));
  EXPECT_FALSE(dispatch(h.services, CodeInput, Event::TextChanged));
  EXPECT_FALSE(dispatch(h.services, CodeOutput, Event::DoubleClicked));
  EXPECT_FALSE(dispatch(h.services, GenerateButton, Event::DoubleClicked));
  EXPECT_EQ(h.download.starts, 0);
}

}  // namespace
}  // namespace lumdrift::test
