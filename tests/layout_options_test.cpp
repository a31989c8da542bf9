#include <gtest/gtest.h>

#include "base/captions.h"
#include "tests/harness.h"

namespace lumdrift::test {
namespace {

using enum ControlId;
namespace c = caption;

TEST(Editions, SelectionSetsFixedOffsetAndCaption) {
  struct Row {
    int index;
    const char* offset;
    std::string_view caption;
  };
  for (const Row& row : {Row{1, "-1060", c::kInputBasic}, Row{2, "-960", c::kInputTmall},
                         Row{0, "-960", c::kInputProfessional}}) {
    Harness h;
    h.type(WidthEdit, "1000");  // the fixed offset ignores the width
    h.selectItem(EditionList, row.index);
    EXPECT_EQ(h[OffsetEdit].text, row.offset) << row.index;
    EXPECT_EQ(h[CodeInputGroup].text, row.caption) << row.index;
    EXPECT_EQ(h[WidthEdit].text, "1000");
  }
}

TEST(Editions, BasicCaptionHasAsciiComma) {
  EXPECT_NE(c::kInputBasic.find("750区,"), std::string_view::npos);
}

TEST(Editions, NoSelectionChangesNothing) {
  Harness h;
  h.type(WidthEdit, "1000");
  h.selectItem(EditionList, -1);
  EXPECT_EQ(h[OffsetEdit].text, "-500");
  EXPECT_EQ(h[CodeInputGroup].text, c::kInputProfessional);
  h.type(WidthEdit, "800");  // nor does the width then
  EXPECT_EQ(h[OffsetEdit].text, "-500");
}

TEST(Editions, WidthEditedAfterSwitchComputesAgain) {
  Harness h;
  h.type(WidthEdit, "1000");
  h.selectItem(EditionList, 1);
  EXPECT_EQ(h[OffsetEdit].text, "-1060");
  h.type(WidthEdit, "1001");
  EXPECT_EQ(h[OffsetEdit].text, "-600.5");
}

std::vector<std::string> typeKeystrokes(Harness& h, const std::string& typed) {
  std::vector<std::string> offsets;
  h.type(WidthEdit, "");
  offsets.push_back(h[OffsetEdit].text);
  for (std::size_t i = 1; i <= typed.size(); ++i) {
    h.type(WidthEdit, typed.substr(0, i));
    offsets.push_back(h[OffsetEdit].text);
  }
  return offsets;
}

TEST(WidthOffset, KeystrokeByKeystrokePerEdition) {
  Harness pro;
  EXPECT_EQ(typeKeystrokes(pro, "1000"),
            (std::vector<std::string>{"-0", "-0.5", "-5", "-50", "-500"}));
  Harness basic;
  basic.selectItem(EditionList, 1);
  EXPECT_EQ(typeKeystrokes(basic, "1921"),
            (std::vector<std::string>{"-100", "-100.5", "-109.5", "-196", "-1060.5"}));
  Harness tmall;
  tmall.selectItem(EditionList, 2);
  EXPECT_EQ(typeKeystrokes(tmall, "1921"),
            (std::vector<std::string>{"-0", "-0.5", "-9.5", "-96", "-960.5"}));
}

TEST(WidthOffset, OddWidthTexts) {
  struct Row {
    int edition;
    std::string width;
    const char* offset;
  };
  const Row rows[] = {
      {0, "abc", "-0"},
      {1, "abc", "-100"},
      {2, "", "-0"},
      {0, "1920px", "-960"},
      {1, "1920", "-1060"},
      {0, "１９２０", "-960"},  // full-width digits
      {0, "-1920", "960"},
      {0, "1e300", "-5e+299"},
      {0, "1234567890123456", "-6.172839450617e+14"},
      {0, "0.1", "-0.05"},
  };
  for (const Row& row : rows) {
    Harness h;
    h.selectItem(EditionList, row.edition);
    h.type(WidthEdit, row.width);
    EXPECT_EQ(h[OffsetEdit].text, row.offset) << row.edition << " " << row.width;
  }
}

TEST(WidthOffset, TypedOffsetKeptUntilWidthOrEditionChanges) {
  Harness h;
  h.type(OffsetEdit, "-123abc");
  h.type(HeightEdit, "600");
  h.selectItem(SpacingList, 3);
  EXPECT_EQ(h[OffsetEdit].text, "-123abc");
  h.type(WidthEdit, "1900");
  EXPECT_EQ(h[OffsetEdit].text, "-950");
  h.type(OffsetEdit, "-1");
  h.selectItem(EditionList, 0);
  EXPECT_EQ(h[OffsetEdit].text, "-960");
}

TEST(TopSpacing, PresetsAndCustomByTable) {
  Harness h;
  h.selectItem(SpacingList, 3);
  EXPECT_TRUE(h[SpacingEdit].visible);
  EXPECT_TRUE(h[SpacingEdit].enabled);
  EXPECT_EQ(h[SpacingEdit].text, "-");
  h.type(SpacingEdit, "-35");
  h.selectItem(SpacingList, 2);
  EXPECT_FALSE(h[SpacingEdit].visible);
  EXPECT_TRUE(h[SpacingEdit].enabled);  // hiding does not disable it again
  EXPECT_EQ(h[SpacingEdit].text, "-20");
  h.selectItem(SpacingList, 1);
  EXPECT_EQ(h[SpacingEdit].text, "-10");
  h.selectItem(SpacingList, 0);
  EXPECT_EQ(h[SpacingEdit].text, "0");
  EXPECT_FALSE(h[SpacingEdit].visible);
  h.selectItem(SpacingList, 3);
  EXPECT_EQ(h[SpacingEdit].text, "-");  // the typed -35 is gone
}

TEST(TopSpacing, PresetAtStartKeepsBoxDisabled) {
  Harness h;
  h.selectItem(SpacingList, 1);
  EXPECT_FALSE(h[SpacingEdit].enabled);
  EXPECT_EQ(h[SpacingEdit].text, "-10");
  h.selectItem(SpacingList, -1);
  EXPECT_EQ(h[SpacingEdit].text, "-10");
}

// The order of the writes matters on a real window: each shows at once.
struct RecordingControls : ControlModel {
  std::vector<std::string> log;
  void setText(ControlId id, const Text& t) override {
    log.push_back("text " + std::to_string(static_cast<int>(id)) + " " + t);
    ControlModel::setText(id, t);
  }
  void setVisible(ControlId id, bool v) override {
    log.push_back("visible " + std::to_string(static_cast<int>(id)) + " " + (v ? "1" : "0"));
    ControlModel::setVisible(id, v);
  }
  void setEnabled(ControlId id, bool e) override {
    log.push_back("enabled " + std::to_string(static_cast<int>(id)) + " " + (e ? "1" : "0"));
    ControlModel::setEnabled(id, e);
  }
};

TEST(TopSpacing, WritesInTableOrder) {
  RecordingControls ui;
  Harness h;
  Services s = h.services;
  Services recorded{ui,      s.templates, s.clipboard, s.files,
                    s.shell, s.download,  s.desktop,   s.location};
  const auto box = std::to_string(static_cast<int>(SpacingEdit));
  ui.select(SpacingList, 3);
  dispatch(recorded, SpacingList, Event::ItemSelected);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"enabled " + box + " 1", "visible " + box + " 1",
                                              "text " + box + " -"}));
  ui.log.clear();
  ui.select(SpacingList, 0);
  dispatch(recorded, SpacingList, Event::ItemSelected);
  EXPECT_EQ(ui.log, (std::vector<std::string>{"visible " + box + " 0", "text " + box + " 0"}));
  ui.log.clear();
  ui.select(EditionList, 1);
  dispatch(recorded, EditionList, Event::ItemSelected);
  ASSERT_EQ(ui.log.size(), 2u);
  EXPECT_EQ(ui.log[0], "text " + std::to_string(static_cast<int>(OffsetEdit)) + " -1060");
}

TEST(CodeInput, DoubleClickEmptiesIt) {
  Harness h;
  h.doubleClick(CodeInput);
  EXPECT_EQ(h[CodeInput].text, "");
  h.type(CodeInput, "<div>code</div>");
  h.doubleClick(CodeInput);
  EXPECT_EQ(h[CodeInput].text, "");
}

}  // namespace
}  // namespace lumdrift::test
