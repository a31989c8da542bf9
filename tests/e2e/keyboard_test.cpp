// The window by keyboard alone, with real key presses: Tab and Shift+Tab go
// round every control that takes the focus, in reading order and out of the
// two multi-line boxes; Space and Enter press the focused button, which keeps
// the focus; Ctrl+Z brings back what a double-click emptied.

#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

class Keyboard : public ReadyTest {
 protected:
  void SetUp() override {
    ReadyTest::SetUp();
    SetForegroundWindow(app().window());
    ASSERT_TRUE(waitUntil([&] { return GetForegroundWindow() == app().window(); }, 3000))
        << "the tool's window never came to the front";
  }
  std::string focused() {
    HWND focus = app().focus();
    for (const ControlRow& row : controlTable()) {
      if (focus != nullptr && app().control(row.id) == focus) return std::string(row.name);
    }
    // Not a control of the tool: the class says what has the focus instead.
    return focus == nullptr ? std::string("(none)") : className(focus);
  }
  std::string nameOf(ControlId id) { return std::string(controlRow(id).name); }
};

TEST_F(Keyboard, TabAndShiftTabGoRoundEveryControlAndButtonsKeepTheFocus) {
  // Reading order: the options from left to right, the shortcut button on
  // the code frame's top edge, the two boxes, the two buttons.
  const std::vector<ControlId> round = {EditionList,    OffsetEdit,          WidthEdit, HeightEdit,
                                        SpacingList,    SendToDesktopButton, CodeInput, CodeOutput,
                                        GenerateButton, PreviewButton};
  clickFocus(ctl(EditionList));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == ctl(EditionList); }, 3000)) << focused();
  for (std::size_t i = 1; i <= round.size(); ++i) {
    pressKey(VK_TAB);
    EXPECT_EQ(focused(), nameOf(round[i % round.size()])) << "Tab number " << i;
  }
  for (std::size_t i = round.size(); i-- > 0;) {
    pressKey(VK_TAB, Held::Shift);
    EXPECT_EQ(focused(), nameOf(round[i])) << "Shift+Tab back to " << nameOf(round[i]);
  }
  EXPECT_EQ(text(ctl(CodeInput)), "") << "Tab typed into the code";

  // Enter starts a line in the code box and does nothing in a one-line box.
  clickFocus(ctl(CodeInput));
  ASSERT_TRUE(waitUntil([&] { return app().focus() == ctl(CodeInput); }, 3000)) << focused();
  pressKey(VK_RETURN);
  EXPECT_EQ(text(ctl(CodeInput)), "\r\n");

  // Space, then Enter, on the generate button: each generates, and the
  // focus stays where the user was.
  pressKey(VK_TAB);
  pressKey(VK_TAB);
  ASSERT_EQ(focused(), nameOf(GenerateButton));
  pressKey(VK_SPACE);
  EXPECT_TRUE(waitUntil([&] { return text(ctl(GenerateButton)) == caption::kGenerateIdle; }, 5000));
  EXPECT_EQ(resultCaption(), caption::kSuccess);
  EXPECT_EQ(focused(), nameOf(GenerateButton));
  setText(ctl(CodeOutput), "");
  pressKey(VK_RETURN);
  EXPECT_TRUE(waitUntil([&] { return text(ctl(CodeOutput)) == filledCode("\r\n"); }, 5000));
  EXPECT_EQ(focused(), nameOf(GenerateButton));
  pressKey(VK_TAB);
  EXPECT_EQ(focused(), nameOf(PreviewButton));
}

TEST_F(Keyboard, CtrlZBringsBackTheCodeADoubleClickEmptied) {
  HWND input = ctl(CodeInput);
  setText(input, kUserCode);
  clickFocus(input);
  ASSERT_TRUE(waitUntil([&] { return app().focus() == input; }, 3000)) << focused();
  doubleClick(input);
  ASSERT_TRUE(waitUntil([&] { return text(input).empty(); }, 3000)) << "the double-click kept it";
  pressKey('Z', Held::Ctrl);
  EXPECT_TRUE(waitUntil([&] { return text(input) == kUserCode; }, 3000)) << text(input);
}

}  // namespace
}  // namespace lumdrift::e2e
