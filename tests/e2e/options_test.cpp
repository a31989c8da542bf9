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
      type(ctl(编辑框1), std::string_view(&key, 1));
      seen.push_back(text(ctl(编辑框5)));
    }
    return seen;
  }
};

TEST_F(Options, WidthTypedKeyByKeyRecomputesTheOffsetEachTime) {
  clearByKeys(ctl(编辑框1));
  EXPECT_EQ(text(ctl(编辑框1)), "");
  EXPECT_EQ(text(ctl(编辑框5)), "-0");
  EXPECT_EQ(offsetsWhileTyping("1000"), (std::vector<std::string>{"-0.5", "-5", "-50", "-500"}));

  // The offset on selection is fixed: it does not follow the width.
  select(ctl(组合框2), 1);
  EXPECT_EQ(text(ctl(编辑框5)), "-1060");
  EXPECT_EQ(text(ctl(编辑框1)), "1000");
  EXPECT_EQ(text(ctl(分组框2)), caption::kInputBasic);

  clearByKeys(ctl(编辑框1));
  EXPECT_EQ(text(ctl(编辑框5)), "-100");
  EXPECT_EQ(offsetsWhileTyping("1921"),
            (std::vector<std::string>{"-100.5", "-109.5", "-196", "-1060.5"}));

  select(ctl(组合框2), 2);
  EXPECT_EQ(text(ctl(编辑框5)), "-960");
  EXPECT_EQ(text(ctl(分组框2)), caption::kInputTmall);
  // Trailing letters are ignored by the number rule.
  EXPECT_EQ(offsetsWhileTyping("px"), (std::vector<std::string>{"-960.5", "-960.5"}));

  select(ctl(组合框2), 0);
  EXPECT_EQ(text(ctl(编辑框5)), "-960");
  EXPECT_EQ(text(ctl(分组框2)), caption::kInputProfessional);
}

TEST_F(Options, WidthTextReachesTheNumberRuleAsGbk) {
  // Full-width digits of GBK row A3, pasted whole.
  setText(ctl(编辑框1), "\xA3\xB1\xA3\xB9\xA3\xB2\xA3\xB1");
  EXPECT_EQ(text(ctl(编辑框5)), "-960.5");
  setText(ctl(编辑框1), "abc");
  EXPECT_EQ(text(ctl(编辑框5)), "-0");
  select(ctl(组合框2), 1);
  setText(ctl(编辑框1), "abc");
  EXPECT_EQ(text(ctl(编辑框5)), "-100");
}

TEST_F(Options, TypedOffsetStaysUntilTheWidthChanges) {
  clearByKeys(ctl(编辑框5));
  type(ctl(编辑框5), "-12a");
  EXPECT_EQ(text(ctl(编辑框5)), "-12a") << "any characters are accepted";
  type(ctl(编辑框2), "x");
  EXPECT_EQ(text(ctl(编辑框2)), "500x");
  EXPECT_EQ(text(ctl(编辑框5)), "-12a");
  type(ctl(编辑框1), "0");
  EXPECT_EQ(text(ctl(编辑框5)), "-9600");
}

TEST_F(Options, CustomSpacingShowsTheBoxAndPresetsHideIt) {
  HWND box = ctl(编辑框3);
  select(ctl(组合框1), 3);
  EXPECT_TRUE(visible(box));
  EXPECT_TRUE(enabled(box));
  EXPECT_EQ(text(box), "-");
  type(box, "35");
  EXPECT_EQ(text(box), "-35");

  select(ctl(组合框1), 2);
  EXPECT_FALSE(visible(box));
  EXPECT_TRUE(enabled(box)) << "hiding the box for a preset does not disable it again";
  EXPECT_EQ(text(box), "-20");

  select(ctl(组合框1), 1);
  EXPECT_FALSE(visible(box));
  EXPECT_EQ(text(box), "-10");

  select(ctl(组合框1), 0);
  EXPECT_FALSE(visible(box));
  EXPECT_EQ(text(box), "0");

  select(ctl(组合框1), 3);
  EXPECT_TRUE(visible(box));
  EXPECT_EQ(text(box), "-") << "the value typed before is gone";
}

TEST_F(Options, DoubleClickEmptiesTheCodeInput) {
  HWND input = ctl(编辑框4);
  setText(input, kUserCode);
  ASSERT_EQ(text(input), kUserCode);
  doubleClick(input);
  EXPECT_TRUE(waitUntil([&] { return text(input).empty(); }, 3000)) << text(input);
  doubleClick(input);
  Sleep(300);
  EXPECT_EQ(text(input), "");
  // Other boxes keep their text on a double-click.
  doubleClick(ctl(编辑框6));
  setText(ctl(编辑框4), "kept");
  Sleep(300);
  EXPECT_EQ(text(ctl(编辑框4)), "kept");
}

}  // namespace
}  // namespace lumdrift::e2e
