// The option handlers reached through the window: the edition list, the width
// typed key by key, the top-spacing list and the double-click that empties the
// code input.

#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

class Options : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    serveTestTemplates();
    start();
  }

  // The offset after each key typed into the width box.
  std::vector<std::string> offsetsWhileTyping(std::string_view keys) {
    std::vector<std::string> seen;
    for (const char key : keys) {
      type(ctl(WidthEdit), std::string_view(&key, 1));
      seen.push_back(text(ctl(OffsetEdit)));
    }
    return seen;
  }
};

TEST_F(Options, WidthTypedKeyByKeyRecomputesTheOffsetEachTime) {
  clearByKeys(ctl(WidthEdit));
  EXPECT_EQ(text(ctl(WidthEdit)), "");
  EXPECT_EQ(text(ctl(OffsetEdit)), "-0");
  EXPECT_EQ(offsetsWhileTyping("1000"), (std::vector<std::string>{"-0.5", "-5", "-50", "-500"}));

  // The offset on selection is fixed: it does not follow the width.
  select(ctl(EditionList), 1);
  EXPECT_EQ(text(ctl(OffsetEdit)), "-1060");
  EXPECT_EQ(text(ctl(WidthEdit)), "1000");
  EXPECT_EQ(text(ctl(CodeInputGroup)), caption::kInputBasic);

  clearByKeys(ctl(WidthEdit));
  EXPECT_EQ(text(ctl(OffsetEdit)), "-100");
  EXPECT_EQ(offsetsWhileTyping("1921"),
            (std::vector<std::string>{"-100.5", "-109.5", "-196", "-1060.5"}));

  select(ctl(EditionList), 2);
  EXPECT_EQ(text(ctl(OffsetEdit)), "-960");
  EXPECT_EQ(text(ctl(CodeInputGroup)), caption::kInputTmall);
  // Trailing letters are ignored by the number rule.
  EXPECT_EQ(offsetsWhileTyping("px"), (std::vector<std::string>{"-960.5", "-960.5"}));

  select(ctl(EditionList), 0);
  EXPECT_EQ(text(ctl(OffsetEdit)), "-960");
  EXPECT_EQ(text(ctl(CodeInputGroup)), caption::kInputProfessional);
}

TEST_F(Options, WidthTextReachesTheNumberRuleAsGbk) {
  // Full-width digits of GBK row A3, pasted whole.
  setText(ctl(WidthEdit), "１９２１");
  EXPECT_EQ(text(ctl(OffsetEdit)), "-960.5");
  setText(ctl(WidthEdit), "abc");
  EXPECT_EQ(text(ctl(OffsetEdit)), "-0");
  select(ctl(EditionList), 1);
  setText(ctl(WidthEdit), "abc");
  EXPECT_EQ(text(ctl(OffsetEdit)), "-100");
}

TEST_F(Options, TypedOffsetStaysUntilTheWidthChanges) {
  clearByKeys(ctl(OffsetEdit));
  type(ctl(OffsetEdit), "-12a");
  EXPECT_EQ(text(ctl(OffsetEdit)), "-12a") << "any characters are accepted";
  type(ctl(HeightEdit), "x");
  EXPECT_EQ(text(ctl(HeightEdit)), "500x");
  EXPECT_EQ(text(ctl(OffsetEdit)), "-12a");
  type(ctl(WidthEdit), "0");
  EXPECT_EQ(text(ctl(OffsetEdit)), "-9600");
}

TEST_F(Options, CustomSpacingShowsTheBoxAndPresetsHideIt) {
  HWND box = ctl(SpacingEdit);
  select(ctl(SpacingList), 3);
  EXPECT_TRUE(visible(box));
  EXPECT_TRUE(enabled(box));
  EXPECT_EQ(text(box), "-");
  type(box, "35");
  EXPECT_EQ(text(box), "-35");

  select(ctl(SpacingList), 2);
  EXPECT_FALSE(visible(box));
  EXPECT_TRUE(enabled(box)) << "hiding the box for a preset does not disable it again";
  EXPECT_EQ(text(box), "-20");

  select(ctl(SpacingList), 1);
  EXPECT_FALSE(visible(box));
  EXPECT_EQ(text(box), "-10");

  select(ctl(SpacingList), 0);
  EXPECT_FALSE(visible(box));
  EXPECT_EQ(text(box), "0");

  select(ctl(SpacingList), 3);
  EXPECT_TRUE(visible(box));
  EXPECT_EQ(text(box), "-") << "the value typed before is gone";
}

TEST_F(Options, DoubleClickEmptiesTheCodeInput) {
  HWND input = ctl(CodeInput);
  setText(input, kUserCode);
  ASSERT_EQ(text(input), kUserCode);
  doubleClick(input);
  EXPECT_TRUE(waitUntil([&] { return text(input).empty(); }, 3000)) << text(input);
  doubleClick(input);
  Sleep(300);
  EXPECT_EQ(text(input), "");
  // Other boxes keep their text on a double-click.
  doubleClick(ctl(CodeOutput));
  setText(ctl(CodeInput), "kept");
  Sleep(300);
  EXPECT_EQ(text(ctl(CodeInput)), "kept");
}

}  // namespace
}  // namespace lumdrift::e2e
